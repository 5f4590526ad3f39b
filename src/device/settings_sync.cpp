// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/settings_sync.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <tuple>

#include "config/application_title.h"
#include "config/dpi_table.h"
#include "config/folder_lock.h"
#include "config/key_entry.h"
#include "config/ui_texts.h"

namespace vexo {
namespace {

// LED set 0 of the neon effects the mouse knows: mode, then two timing bytes.
constexpr std::array<std::uint8_t, DeviceImage::kLedSetSize> kNeonFlash{2, 250, 10};
constexpr std::array<std::uint8_t, DeviceImage::kLedSetSize> kNeonFixedOn{3, 5, 5};
constexpr std::uint8_t kEffectRgbFlash = 2;
constexpr std::uint8_t kEffectRgbFixedOn = 3;
constexpr std::uint8_t kStandardOption2 = 2;

} // namespace

SettingsSync::SettingsSync(DeviceSession& session, ConfigStore& store, IniSettings& settings, Prompter& prompter)
    : session_(session), store_(store), settings_(settings), prompter_(prompter) {}

std::uint8_t SettingsSync::sensorType() const {
    // Every read of the sensor block goes through the session, so its value is the latest.
    return session_.sensorType().value_or(store_.sensorType());
}

bool SettingsSync::ConnectSensor() {
    // The same steps as at every arrival, so that one reading cannot outlive a later one.
    const bool connected = session_.connectSensorBlock();
    if (const auto type = session_.sensorType())
        store_.setSensorType(*type);
    return connected;
}

void SettingsSync::SyncOnConnect(const UiTexts& texts) {
    ConnectSensor();
    // Only a first run replaces the labels: a config.bin that could not be read must not cost the
    // user the labels kept in str.ini.
    if (store_.isFirstRun()) {
        settings_.SetFirstRunLabels(texts);
        if (!settings_.SaveButtonLabels())
            reportLabelsNotSaved();
    }
    oneTimeDone_ = true;
}

void SettingsSync::adjustLighting() {
    const ConfigRecord& record = store_.record();
    DeviceImage& image = session_.image();
    auto& lighting = image.lighting;
    auto& led0 = image.ledSets[0];
    const std::uint8_t mode = record.lightingMode();
    switch (mode) {
    case lighting_mode::Standard:
    case lighting_mode::Respiration:
        lighting[DeviceImage::kLightingEffectByte] = mode;
        lighting[DeviceImage::kLightingOption1Byte] = static_cast<std::uint8_t>(record.lightingParameter1(mode) + 1);
        lighting[DeviceImage::kLightingOption2Byte] = kStandardOption2;
        led0[0] = 1;
        break;
    case lighting_mode::Neon:
        lighting[DeviceImage::kLightingEffectByte] = mode;
        lighting[DeviceImage::kLightingOption1Byte] = static_cast<std::uint8_t>(record.lightingParameter1(mode) + 1);
        if (record.lightingParameter2(mode) == kEffectRgbFlash) {
            led0 = kNeonFlash;
        } else if (record.lightingParameter2(mode) == kEffectRgbFixedOn) {
            led0 = kNeonFixedOn;
        }
        break;
    default: break; // the mouse's own lighting goes back as it was read
    }
}

SettingsSync::ApplyResult SettingsSync::ApplyConfig() { return FinishApply(StartApply({})); }

SettingsSync::ApplyResult SettingsSync::ApplyChanges(const ConfigRecord& onMouse) {
    return FinishApply(startSend({}, &onMouse));
}

std::unique_ptr<SettingsSync::ApplyRun> SettingsSync::StartApply(const std::function<void()>& saved) {
    return startSend(saved, nullptr);
}

std::unique_ptr<SettingsSync::ApplyRun> SettingsSync::startSend(const std::function<void()>& saved,
                                                                const ConfigRecord* onMouse) {
    auto run = std::make_unique<ApplyRun>();
    ApplyResult& result = run->result;
    const auto nothingToWaitFor = [&saved, &run] {
        if (saved)
            saved();
        return std::move(run);
    };
    if (!session_.mousePresent()) {
        return nothingToWaitFor();
    }
    // Held from the reload to the end of both the commands and the save, so another program's save
    // lands either before it (and is taken in) or after it, never in between to be overwritten, and
    // another program's commands never mix with these. Shared by this thread and the saving one:
    // whichever finishes last lets it go.
    auto lock = std::make_shared<const FolderLock>(FolderLock::FolderOf(store_.path()));
    if (lock->busy()) {
        result.folderBusy = true;
        prompter_.message(kFolderBusyText + lock->message() + ".", std::string(kApplicationTitle));
        return nothingToWaitFor();
    }
    const ConfigStore::MergeResult merged = store_.MergeChangesOnDisk();
    if (store_.fileUnread()) {
        result.configUnread = true;
        prompter_.message(kNothingDoneText + store_.lastError() + ".", std::string(kApplicationTitle));
        return nothingToWaitFor();
    }
    result.mergedFromDisk = merged.changedOnDisk;
    if (merged.conflicts > 0) {
        prompter_.message(kChangedOnDiskText, std::string(kApplicationTitle));
    }
    const ConfigRecord& record = store_.record();
    const std::size_t callsBefore = session_.transport().callCount();
    const std::size_t failuresBefore = session_.transport().failedCallCount();

    // What is saved does not depend on anything the mouse answers, so the files are written while
    // the commands below wait out the protocol's pauses; the disk's flush then costs no extra time.
    // Messages are shown on the calling thread, by FinishApply.
    const auto save = [this] {
        const ConfigStore::SaveResult config = store_.SaveConfig();
        const bool labels = settings_.SaveButtonLabels();
        return std::pair(config, labels);
    };
    // A change of a few blocks has a few milliseconds of pauses, less than a save with its flush
    // takes: its commands go first, so the mouse has it at once, and the files follow in turn.
    try {
        if (!onMouse) {
            run->saving = std::async(std::launch::async, [save, lock, saved]() mutable {
                // The lock and the caller are let go even when a save throws (out of memory), which
                // the future then carries to FinishApply.
                struct Done {
                    std::shared_ptr<const FolderLock>& lock;
                    const std::function<void()>& saved;
                    ~Done() {
                        lock.reset();
                        if (saved)
                            saved();
                    }
                } done{lock, saved};
                return save();
            });
        }
    } catch (const std::system_error&) {
        // No thread to spare: the files are saved after the commands instead.
    }

    // After the merge: what another program saved reaches the mouse too.
    if (onMouse)
        sendBlocks(ChangedBlocks::Between(*onMouse, record, sensorType()), false, result);
    else
        sendBlocks(ChangedBlocks::All(), true, result);

    result.sent = true;
    result.calls = session_.transport().callCount() - callsBefore;
    result.failedCalls = session_.transport().failedCallCount() - failuresBefore;
    if (run->saving.valid())
        return run;
    std::tie(result.configSaved, result.labelsSaved) = save();
    lock.reset();
    return nothingToWaitFor();
}

void SettingsSync::sendBlocks(const ChangedBlocks& blocks, bool full, ApplyResult& result) {
    const ConfigRecord& record = store_.record();
    DeviceImage& image = session_.image();
    DeviceCommands& commands = session_.commands();

    if (blocks.reportRate)
        commands.WriteReportRate(record.reportRate());
    if (full) {
        // Every read runs, so that the command sequence stays the same; only whole answers count.
        const bool lightingRead = commands.ReadLightingBlock();
        const bool ledSetsRead = commands.ReadLedSets();
        adjustLighting();
        const bool coloursRead = commands.ReadColourBlocks();
        result.readBack = lightingRead && ledSetsRead && coloursRead;
        if (result.readBack) {
            std::copy(record.dpiColourBytes().begin(), record.dpiColourBytes().end(), image.colourBlock1.begin());
            commands.WriteColourBlocks();
            commands.WriteLedSets();
            commands.WriteLightingBlock();
        }
    } else {
        result.readBack = true;
        // Lighting and LED set 0 keep bytes of the mouse's own, so they are read first; colour
        // block 1 is the record's alone.
        bool lightingRead = false;
        if (blocks.lighting) {
            lightingRead = commands.ReadLightingBlock();
            lightingRead = commands.ReadLedSets() && lightingRead;
            if (lightingRead)
                adjustLighting();
            result.readBack = lightingRead;
        }
        if (blocks.dpiColours) {
            std::copy(record.dpiColourBytes().begin(), record.dpiColourBytes().end(), image.colourBlock1.begin());
            commands.WriteColourBlock(1);
        }
        if (lightingRead) {
            commands.WriteLedSets();
            commands.WriteLightingBlock();
        }
    }

    if (blocks.dpi) {
        image.dpi = DpiImage(record, sensorType());
        commands.WriteDpiBlock();
    }

    for (std::size_t m = 0; m < DeviceImage::kMacroCount; ++m) {
        const auto macro = record.macro(m + 1);
        std::copy(macro.begin(), macro.end(), image.macros[m].begin());
    }
    if (full) {
        commands.WriteMacros();
    } else {
        for (std::size_t m = 0; m < DeviceImage::kMacroCount; ++m)
            if (blocks.macros[m])
                commands.WriteMacro(static_cast<std::uint8_t>(m + 1));
    }

    const auto matrices = KeyMatrixImage(record);
    for (std::size_t m = 0; m < DeviceImage::kKeyMatrixCount; ++m) {
        image.keyMatrices[m] = matrices[m];
    }
    if (full) {
        commands.WriteKeyMatrices();
    } else {
        for (std::size_t m = 0; m < DeviceImage::kKeyMatrixCount; ++m)
            if (blocks.keyMatrices[m])
                commands.WriteKeyMatrix(static_cast<std::uint8_t>(m + 1));
    }
}

SettingsSync::ApplyResult SettingsSync::FinishApply(std::unique_ptr<ApplyRun> run) {
    if (!run)
        return {};
    ApplyResult result = run->result;
    // Nothing sent, nothing saved: what stopped it was told by StartApply.
    if (!result.sent)
        return result;
    if (run->saving.valid())
        std::tie(result.configSaved, result.labelsSaved) = run->saving.get();
    reportConfigNotSaved(result.configSaved);
    if (!result.labelsSaved)
        reportLabelsNotSaved();
    return result;
}

std::string SettingsSync::SaveFailedText(int errorCode) {
    return "Error Code is: " + std::to_string(errorCode) + " \n";
}

void SettingsSync::reportConfigNotSaved(ConfigStore::SaveResult result) {
    if (result == ConfigStore::SaveResult::Missing) {
        prompter_.message(kConfigMissingText, std::string(kApplicationTitle));
    } else if (result == ConfigStore::SaveResult::Failed) {
        prompter_.message(SaveFailedText(store_.lastErrno()), kSaveFailedCaption);
    }
}

void SettingsSync::reportLabelsNotSaved() {
    // A str.ini that cannot be used was told about when it was read, saves of the labels included:
    // one problem, one message.
    if (!settings_.FileProblem().empty())
        return;
    // The Windows calls fail silently; here the user learns that the labels on screen are not kept.
    prompter_.message(kLabelsNotSavedText + settings_.lastError() + ".", std::string(kApplicationTitle));
}

} // namespace vexo
