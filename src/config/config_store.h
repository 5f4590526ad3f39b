// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "config/config_record.h"

namespace vexo {

// The process's configuration: the working record the pages edit, the applied snapshot, the
// first-run flag read from config.bin and the sensor type last read from the mouse. config.bin is
// the first-run flag followed by the record, 2042 bytes in all.
//
// The program never creates config.bin: a delivered copy must exist for anything to be saved.
// Saving replaces the file atomically (temporary file in the same folder, then rename), so a
// crash, a full disk or a failing write leaves the previous file whole.
// The store shows no message: every result and reason goes back to the caller, which tells the user.
class ConfigStore {
public:
    static constexpr std::size_t kFileSize = 1 + ConfigRecord::kSize;

    enum class LoadResult { Loaded, Missing, WrongSize, Unreadable };
    enum class SaveResult { Saved, Missing, Failed };

    explicit ConfigStore(std::filesystem::path configBin);

    const std::filesystem::path& path() const { return path_; }

    ConfigRecord& record() { return record_; }
    const ConfigRecord& record() const { return record_; }
    const ConfigRecord& snapshot() const { return snapshot_; }

    // 0 in the file delivered with the program (and while nothing was read), 1 after a save.
    std::uint8_t firstRunFlag() const { return firstRunFlag_; }
    // The file was read and says nothing was saved yet. A file that was missing, of another size
    // or unreadable says nothing about that: its zeroed record is no first run.
    bool isFirstRun() const { return fileRead_ && firstRunFlag_ == 0; }
    std::uint8_t sensorType() const { return sensorType_; }
    void setSensorType(std::uint8_t type) { sensorType_ = type; }

    // Reads config.bin into the first-run flag and the working record.
    // Missing: record unchanged (the caller shows "Config file is not exist.").
    // WrongSize (not 2042 bytes): record unchanged.
    // Unreadable (cannot be opened or read, or not a regular file: a FIFO or a device is never
    // opened): record unchanged.
    // The reason of anything but Loaded is in lastError().
    LoadResult LoadConfig();

    // Writes flag 1 and the working record over config.bin, holding the folder's lock. Reads the
    // working record, which must not change while it runs (it may run on another thread).
    // Missing: nothing is created.
    // Failed (also when another program keeps the folder busy): the old file stays whole; the
    // system error code is in lastErrno() (EBUSY for a busy folder), the reason in lastError().
    SaveResult SaveConfig();

    // What another program saved in config.bin since this store last read or wrote it, taken into
    // the working record: every byte the working record still has as it was read takes the file's
    // new value, and each macro block is taken whole when the working record did not change it.
    // Where both changed the same byte or block, the working record's is kept and counted as a
    // conflict. Meant to run with the folder locked (FolderLock), just before sending and saving.
    // A file that is unchanged, cannot be read or is not 2042 bytes changes nothing; while the
    // file is unread (UseDefaultsForUnreadableFile), the reason is then in lastError().
    struct MergeResult {
        bool changedOnDisk = false;
        std::size_t taken = 0; // bytes taken from the file
        std::size_t conflicts = 0; // bytes or blocks both changed; the working record's stayed
    };
    MergeResult MergeChangesOnDisk();

    // After LoadConfig found config.bin of the wrong size: keeps that file as config.bin.damaged
    // (config.bin.damaged.1, .2 ... when that name is taken; an earlier copy is never replaced, and
    // the same file already kept is not kept twice) and puts the delivered defaults in the working
    // record, so that the first Apply neither sends an all-zero record nor loses the damaged file.
    // The first-run flag stays unread: the labels in str.ini are left alone. Returns the copy's
    // path, or an empty path (reason in lastError()) when it could not be kept; the defaults are
    // used either way, and saving still replaces config.bin.
    std::filesystem::path RecoverFromDamagedFile();

    void TakeSnapshot() { snapshot_ = record_; }
    void RestoreSnapshot() { record_ = snapshot_; }

    // After LoadConfig found config.bin unreadable: puts the delivered defaults in the working record,
    // so that the window shows sound settings rather than an all-zero record, and marks the file as
    // not read. While it is so, fileUnread() holds and nothing may be sent or saved as the user's:
    // the file may hold settings the user wants. MergeChangesOnDisk clears the mark once the file
    // can be read, taking its values in wherever the working record kept the defaults.
    void UseDefaultsForUnreadableFile();
    bool fileUnread() const { return fileUnread_; }

    // The reason of the last failed load or save, empty after a success.
    const std::string& lastError() const { return lastError_; }
    // The system error code of the last failed save, 0 after a success.
    int lastErrno() const { return lastErrno_; }

private:
    std::filesystem::path path_;
    ConfigRecord record_;
    ConfigRecord snapshot_;
    std::uint8_t firstRunFlag_ = 0;
    bool fileRead_ = false;
    bool fileUnread_ = false;
    std::uint8_t sensorType_ = 0;
    std::string lastError_;
    int lastErrno_ = 0;
    // The record as config.bin held it when this store last read or wrote it.
    std::optional<ConfigRecord> base_;
};

} // namespace vexo
