// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QObject>

class QSocketNotifier;

namespace vexo {

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, a closed terminal) into a signal on the
// event loop, so the program shuts down the way its own "Exit" does: input thread stopped, icon
// removed, lock and socket released. The handler only writes a byte to a pipe, which is all a
// signal handler may safely do. One object at a time; its destruction restores the default actions.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe could not be made or another object is installed; then signals keep
    // their default action (the program ends at once).
    bool installed() const { return installed_; }

signals:
    // One of the signals arrived; emitted on the event loop's thread.
    void terminationRequested(int signalNumber);

private:
    void drain();

    bool installed_ = false;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vexo
