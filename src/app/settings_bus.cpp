// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/settings_bus.h"

#include <QDBusConnectionInterface>
#include <filesystem>

#include "app/app_shell.h"
#include "config/file_locations.h"
#include "config/settings_vocabulary.h"
#include "device/device_notice_listener.h"

namespace vexo {

namespace {

QStringList Lines(const std::vector<std::string>& names, const SettingsState& state) {
    QStringList lines;
    for (const std::string& name : names)
        lines << QString::fromStdString(name + "=" + *SettingsVocabulary::Get(state, name));
    return lines;
}

QString Joined(const std::vector<std::string>& messages) {
    QStringList lines;
    for (const std::string& message : messages)
        lines << QString::fromStdString(message);
    return lines.join('\n');
}

} // namespace

SettingsBus::SettingsBus(AppShell& shell, QDBusConnection bus, QObject* parent)
    : QObject(parent), shell_(shell), bus_(std::move(bus)), present_(shell.mousePresent()) {
    connect(&shell_, &AppShell::deviceNoticeShown, this, &SettingsBus::forwardNotice);
    connect(&shell_, &AppShell::settingsApplied, this, &SettingsBus::SettingsApplied);
}

SettingsBus::~SettingsBus() {
    if (named_)
        bus_.unregisterService(SettingsBusNames::kService);
    if (registered_)
        bus_.unregisterObject(SettingsBusNames::kPath);
}

bool SettingsBus::publish() {
    if (!bus_.isConnected()) {
        lastError_ = QStringLiteral("no session bus: ") + bus_.lastError().message();
        return false;
    }
    registered_ = bus_.registerObject(SettingsBusNames::kPath, this,
                                      QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
    if (!registered_) {
        lastError_ = QStringLiteral("the object could not be registered: ") + bus_.lastError().message();
        return false;
    }
    // Never queued behind another owner: a second window is stopped by the single-instance lock
    // anyway, and one queued here would take over silently when the first ends.
    const auto reply =
        bus_.interface()->registerService(SettingsBusNames::kService, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    named_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!named_) {
        lastError_ = QStringLiteral("the name %1 is taken").arg(SettingsBusNames::kService);
        return false;
    }
    return true;
}

void SettingsBus::refuse(const char* errorName, const QString& message) {
    if (calledFromDBus())
        sendErrorReply(QString::fromLatin1(errorName), message);
}

QStringList SettingsBus::Get(const QStringList& names) {
    std::vector<std::string> wanted;
    for (const QString& name : names) {
        const std::string n = name.toStdString();
        if (!SettingsVocabulary::Get(SettingsState{}, n)) {
            refuse(
                SettingsBusNames::kInvalidSetting,
                QString::fromStdString("unknown setting '" + n + "'; names are: " + SettingsVocabulary::NamesHelp()));
            return {};
        }
        wanted.push_back(n);
    }
    return Lines(wanted, shell_.settingsState());
}

QStringList SettingsBus::GetAll() { return Lines(SettingsVocabulary::Names(), shell_.settingsState()); }

QString SettingsBus::outcome(bool apply) const {
    return apply && shell_.mousePresent() ? QStringLiteral("sent") : QStringLiteral("saved");
}

QString SettingsBus::Set(const QStringList& assignments, bool apply) {
    std::vector<SettingAssignment> parsed;
    std::vector<std::string> malformed;
    for (const QString& text : assignments) {
        if (auto assignment = SettingsVocabulary::ParseAssignment(text.toStdString()))
            parsed.push_back(std::move(*assignment));
        else
            malformed.push_back("'" + text.toStdString() + "' is not NAME=VALUE");
    }
    if (parsed.empty() && malformed.empty())
        malformed.push_back("set needs at least one NAME=VALUE");
    if (!malformed.empty()) {
        refuse(SettingsBusNames::kInvalidSetting, Joined(malformed));
        return {};
    }
    const AppShell::SetResult result = shell_.setSettings(parsed, apply);
    if (!result.refused.empty())
        refuse(SettingsBusNames::kInvalidSetting, Joined(result.refused));
    else if (!result.failure.empty())
        refuse(SettingsBusNames::kFailed, QString::fromStdString(result.failure));
    return outcome(apply);
}

QString SettingsBus::LoadProfile(const QString& name, bool apply) {
    if (const std::string failure = shell_.loadProfile(name.toStdString(), apply); !failure.empty())
        refuse(SettingsBusNames::kFailed, QString::fromStdString(failure));
    return outcome(apply);
}

void SettingsBus::Apply() {
    if (const std::string failure = shell_.applyFromBus(); !failure.empty())
        refuse(SettingsBusNames::kFailed, QString::fromStdString(failure));
}

QString SettingsBus::DataFolder() {
    // Absolute, so a caller started elsewhere can compare it with its own.
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(shell_.locations().dataDir(), ec);
    return QString::fromStdString((ec ? std::filesystem::absolute(shell_.locations().dataDir()) : folder).string());
}

void SettingsBus::forwardNotice(int kind, int value) {
    switch (kind) {
    case kNoticeDpiStage:
        if (value >= 1 && value <= 8)
            emit DpiStageChanged(uint(value), shell_.dpiValueOfStage(std::uint8_t(value)).value_or(0));
        break;
    case kNoticeReportRate:
        // The code is the interval in milliseconds.
        if (value == 1 || value == 2 || value == 4 || value == 8)
            emit ReportRateChanged(uint(1000 / value));
        break;
    case kNoticeKeyGroup:
        if (value == 1 || value == 2)
            emit KeyGroupChanged(uint(value));
        break;
    case kNoticeMousePresent:
    case kNoticeNoMouse: {
        // The window hears of a removal more than once (the failed read, the hot-plug notice); the
        // bus says each change once.
        const bool present = kind == kNoticeMousePresent;
        if (present != present_) {
            present_ = present;
            emit MousePresenceChanged(present);
        }
        break;
    }
    default: break;
    }
}

} // namespace vexo
