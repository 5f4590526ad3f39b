// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>

#include "config/settings_bus_names.h"

namespace vexo {

class AppShell;

// The running window's settings on the session bus (docs/settings-bus.xml): get and set by the
// names vexoctl uses, load a named profile, apply; signals for the mouse's own notices, its
// arrival and removal, and every setup sent to it. Calls run on the window's thread, so they take
// turns with the user's clicks; the page shows a change at once.
class SettingsBus final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "example.vexo_gaming.T58.Settings")
public:
    SettingsBus(AppShell& shell, QDBusConnection bus, QObject* parent = nullptr);
    ~SettingsBus() override;

    // Registers the object and takes the well-known name. False when either fails (another
    // program holds the name, no bus): the reason is in lastError(), and the window runs without.
    bool publish();
    const QString& lastError() const { return lastError_; }

public slots:
    // "NAME=VALUE" lines, in the order asked; an unknown name is refused (InvalidSetting).
    QStringList Get(const QStringList& names);
    // Every setting, in the order vexoctl get lists them.
    QStringList GetAll();
    // "NAME=VALUE" assignments, each checked before any is taken (InvalidSetting, nothing changed);
    // then saved and, with apply and a mouse, sent to it as Apply does (Failed when it is not
    // taken whole). Returns "sent" when the mouse took it, "saved" when it was only saved.
    QString Set(const QStringList& assignments, bool apply);
    // Loads a named profile as the tray menu does, sending it to the mouse with apply (Failed, with
    // the reason, when it cannot). Returns "sent" or "saved" as Set does.
    QString LoadProfile(const QString& name, bool apply);
    // Sends the window's setup to the mouse as Apply does.
    void Apply();
    // The folder of config.bin, str.ini and record.ini the window works on.
    QString DataFolder();

signals:
    void DpiStageChanged(uint stage, uint dpi);
    void ReportRateChanged(uint hertz);
    void KeyGroupChanged(uint group);
    void MousePresenceChanged(bool present);
    void SettingsApplied();

private:
    void forwardNotice(int kind, int value);
    void refuse(const char* errorName, const QString& message);
    // What a successful Set or LoadProfile did.
    QString outcome(bool apply) const;

    AppShell& shell_;
    QDBusConnection bus_;
    bool registered_ = false;
    bool named_ = false;
    bool present_; // as last signalled
    QString lastError_;
};

} // namespace vexo
