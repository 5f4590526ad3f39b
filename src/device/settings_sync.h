// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <utility>

#include "config/config_store.h"
#include "config/ini_settings.h"
#include "device/changed_blocks.h"
#include "device/device_session.h"

namespace vexo {

class Prompter;
struct UiTexts;

// Brings the mouse in line with the configuration: what is read when it connects, and the fixed
// command sequence of Apply and OK. The record is never read back from the mouse; only the sensor
// block at each connection, and the lighting, LED and colour blocks just before they are rewritten,
// so the parts of them the program does not own keep the mouse's values.
class SettingsSync {
public:
    struct ApplyResult {
        bool sent = false; // false: no mouse, nothing was sent and nothing saved
        ConfigStore::SaveResult configSaved = ConfigStore::SaveResult::Missing;
        bool labelsSaved = false;
        // HID calls the Apply made on the mouse, and how many failed or moved less than a whole report.
        std::size_t calls = 0;
        std::size_t failedCalls = 0;
        // The lighting block, LED sets and colour blocks were read whole and as asked, and so written
        // back; when not, they were left alone on the mouse rather than overwritten with guesses.
        bool readBack = false;
        // Every command went through whole and every read answered what was asked.
        bool complete() const { return sent && readBack && failedCalls == 0; }
        // Another program kept the configuration folder locked: nothing was sent or saved.
        bool folderBusy = false;
        // config.bin had been changed by another program; its changes were taken in first.
        bool mergedFromDisk = false;
        // config.bin could not be read at start and still cannot: what is shown are the delivered
        // settings, not the user's, so nothing was sent or saved.
        bool configUnread = false;
    };

    SettingsSync(DeviceSession& session, ConfigStore& store, IniSettings& settings, Prompter& prompter);

    // The part of the connection that runs at every arrival: read the sensor block, remember its
    // sensor type (for the DPI lists), set bit 6 of Option2 and write the block back. False when the
    // block could not be read whole (nothing is written then) or not written.
    bool ConnectSensor();

    // The first synchronisation after start: ConnectSensor; then, when config.bin marks a first
    // run, the labels that match the key defaults in both modes, saved to str.ini at once; then the
    // one-time flag. Meant for a present mouse; without one the reads give zeros (sensor type 0).
    // Labels that cannot be saved are reported with kLabelsNotSavedText and the reason, unless
    // str.ini has a problem of its own (IniSettings::FileProblem), which the caller tells when it
    // reads the file.
    void SyncOnConnect(const UiTexts& texts);
    bool oneTimeDone() const { return oneTimeDone_; }

    // Sends the whole configuration in its fixed order (report rate; lighting, LED sets and colour
    // blocks read, adjusted and written; DPI block; macros 1-10; key matrices 1-4) and saves
    // config.bin and the button labels; the files are written on a second thread while the
    // commands run, and any message is shown on the calling thread before it returns. The record
    // and the labels must not change meanwhile. Without a mouse it does nothing at all, not even save.
    // A mouse lost half-way makes the remaining commands fail; the files are still saved. When the
    // lighting block, the LED sets or the colour blocks cannot be read whole, none of the three is
    // written back (what was not read would reach the mouse as zeros); the rest is still sent.
    // Labels that cannot be saved are reported like those of SyncOnConnect.
    // The configuration folder is locked from start to end (FolderLock); when another program keeps
    // it busy, kFolderBusyText is shown and nothing is sent or saved. What another program saved in
    // config.bin since it was read is taken in first (ConfigStore::MergeChangesOnDisk), so the
    // mouse gets what is saved; where both changed a setting, this program's stays and
    // kChangedOnDiskText tells the user. While config.bin is still unread
    // (ConfigStore::fileUnread), kNothingDoneText and the reason are shown and nothing is sent or
    // saved: the delivered settings on screen must not replace the user's on the mouse or on disk.
    // A config.bin that cannot be saved is reported with kConfigMissingText, or SaveFailedText
    // captioned kSaveFailedCaption.
    ApplyResult ApplyConfig();

    // ApplyConfig for a record changed from onMouse, what the mouse was last brought in line with:
    // only the blocks the change touches are sent (ChangedBlocks, with the sensor type of the last
    // connection; key matrices and macros one by one), so the mouse ends as a full Apply would leave
    // it at a fraction of the pauses. Lighting is read back and adjusted as in ApplyConfig when it
    // changed; colour block 1 is the record's alone and is written without a read. Locking, merging,
    // saving and messages are those of ApplyConfig; with nothing changed nothing is sent, and the
    // files are still saved. The files are written after the commands, not beside them: the
    // mouse has the change first. readBack is false only when a read it needed failed.
    ApplyResult ApplyChanges(const ConfigRecord& onMouse);

    // An Apply whose commands went out and whose files may still be being written.
    struct ApplyRun {
        ApplyResult result; // what the commands gave; the save's results come with FinishApply
        std::future<std::pair<ConfigStore::SaveResult, bool>> saving; // config.bin, labels
    };
    // ApplyConfig in two halves, for a caller whose thread must keep turning while the files are
    // written: StartApply does everything ApplyConfig does up to the end of the commands and
    // returns with the save still running; FinishApply waits for it (at once when saved has been
    // called) and tells what could not be saved. saved is called exactly once: on the saving thread
    // when the save is done, or on the calling thread before StartApply returns when there is
    // nothing to wait for (nothing sent, or no thread to spare, so the files were saved in turn).
    // The folder lock is held until both the commands and the save are done. Until FinishApply
    // the record and the labels must not change, and no other save of this process may run.
    std::unique_ptr<ApplyRun> StartApply(const std::function<void()>& saved);
    ApplyResult FinishApply(std::unique_ptr<ApplyRun> run);

    // The sensor type the DPI block is built for: the one read at the last connection.
    std::uint8_t sensorType() const;

    static constexpr const char* kLabelsNotSavedText = "The button labels could not be saved: ";
    static constexpr const char* kNothingDoneText = "Nothing was sent to the mouse or saved: ";
    static constexpr const char* kFolderBusyText = kNothingDoneText;
    static constexpr const char* kConfigMissingText = "Config file is not exist.";
    static constexpr const char* kSaveFailedCaption = "NULL ==fp ";
    // The text shown when config.bin could not be written, with the system's error code.
    static std::string SaveFailedText(int errorCode);
    static constexpr const char* kChangedOnDiskText =
        "Another program changed config.bin while this window was open. Its changes were taken in; "
        "where both changed the same setting, the one shown here was sent and saved.";

private:
    std::unique_ptr<ApplyRun> startSend(const std::function<void()>& saved, const ConfigRecord* onMouse);
    // The commands of an Apply for the blocks given; full: the fixed sequence of ApplyConfig.
    void sendBlocks(const ChangedBlocks& blocks, bool full, ApplyResult& result);
    void adjustLighting();
    void reportLabelsNotSaved();
    void reportConfigNotSaved(ConfigStore::SaveResult result);

    DeviceSession& session_;
    ConfigStore& store_;
    IniSettings& settings_;
    Prompter& prompter_;
    bool oneTimeDone_ = false;
};

} // namespace vexo
