// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>

class QSocketNotifier;

namespace vexo {

// One running utility per user. The lock is a QLockFile "<name>.lock" in the user's runtime
// folder; a lock left by a process that died is taken over. The instance that holds the lock
// also listens on a Unix socket "<name>.socket" beside it, so that a later start can ask it to
// come to the front (needed where the desktop has no notification area to click). The request is
// the line "activate" (or "showwind" to show the window), optionally followed by a space and the
// later start's activation token (see ActivationToken); anything else on the socket is ignored.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kDefaultName = "T58SSOP28DPIVerMutex";

    // folder empty: the user's runtime folder (QStandardPaths::RuntimeLocation).
    explicit SingleInstance(const QString& name = QString::fromLatin1(kDefaultName), const QString& folder = QString(),
                            QObject* parent = nullptr);
    // Stops listening and removes the socket file this instance made; the lock goes with it.
    ~SingleInstance() override;

    enum class Lock {
        Taken, // this object holds it (and listens for activation requests, unless the
        // socket cannot be made)
        HeldByAnother, // another instance runs
        Unavailable, // the lock cannot be made at all (folder missing or not writable, ...):
        // nothing says whether another instance runs; see errorString()
    };
    // Takes the lock without waiting. Asking again while it is held answers Taken.
    Lock tryLock();
    bool isLocked() const { return lock_ && lock_->isLocked(); }
    // Why the last tryLock() answered Unavailable, naming the file; empty otherwise.
    QString errorString() const { return error_; }

    // From a start that lost tryLock(): asks the running instance to come forward, and with show
    // to show its window whatever it would do otherwise (a start from the menu). Waits at most two
    // seconds. token: the launcher's activation token, passed along when valid. True when the
    // request was delivered; false when no instance listens.
    bool signalRunningInstance(bool show = false, const QByteArray& token = QByteArray());

    QString lockFilePath() const;
    QString socketPath() const;

signals:
    // A later start asked this instance to come forward; show: to show its window; token: the
    // later start's activation token, empty when it had none (or sent a malformed one).
    void activationRequested(bool show, const QByteArray& token);

private:
    struct Connection {
        QSocketNotifier* notifier = nullptr; // owned through this object's children
        QByteArray received;
        std::uint64_t serial = 0; // order of acceptance
    };
    void listen();
    void acceptConnections();
    void readRequest(int fd);
    void dropConnection(int fd);

    QString name_;
    QString folder_;
    QString error_;
    std::unique_ptr<QLockFile> lock_;
    int listenFd_ = -1;
    QSocketNotifier* listenNotifier_ = nullptr;
    std::map<int, Connection> connections_;
    std::uint64_t nextSerial_ = 0;
};

} // namespace vexo
