// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/single_instance.h"

#include "base/unique_fd.h"

#include "platform/qt/activation_token.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vexo {
namespace {

// The requests a later start sends: one line, "activate" or "showwind", then optionally a space
// and the launcher's activation token. A start of an older build sends the bare word.
constexpr char kActivate[] = "activate";
constexpr char kShow[] = "showwind";
constexpr qsizetype kWordLength = sizeof kActivate - 1;
static_assert(sizeof kShow == sizeof kActivate);
// The word, the space, a token of at most 255 characters and the line end.
constexpr qsizetype kMaxRequest = kWordLength + 1 + 255 + 1;
constexpr int kSendTimeoutSeconds = 2;
constexpr int kBacklog = 4;
// Later starts connect, write one line and hang up. Beyond this many open connections the oldest
// goes, so clients that connect and say nothing cannot lock a later start out.
constexpr std::size_t kMaxConnections = 8;

// False when the path does not fit a socket address (108 bytes on Linux).
bool MakeAddress(const QString& path, sockaddr_un& address) {
    const QByteArray native = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || std::size_t(native.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), name_(name),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder) {}

SingleInstance::~SingleInstance() {
    // Notifiers go before their descriptors.
    for (auto& [fd, connection] : connections_) {
        delete connection.notifier;
        ::close(fd);
    }
    if (listenFd_ >= 0) {
        delete listenNotifier_;
        ::close(listenFd_);
        QFile::remove(socketPath());
    }
}

QString SingleInstance::lockFilePath() const { return QDir(folder_).filePath(name_ + QStringLiteral(".lock")); }

QString SingleInstance::socketPath() const { return QDir(folder_).filePath(name_ + QStringLiteral(".socket")); }

SingleInstance::Lock SingleInstance::tryLock() {
    error_.clear();
    if (isLocked())
        return Lock::Taken;
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        error_ =
            QStringLiteral("cannot create the folder %1").arg(folder_.isEmpty() ? QStringLiteral("(none)") : folder_);
        return Lock::Unavailable;
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Only a dead owner makes a lock stale; a long-running instance keeps its lock however old.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        // Only a lock someone holds means another instance; a file that cannot be written says
        // nothing about that, and must not silently end this start.
        const QLockFile::LockError error = lock_->error();
        lock_.reset();
        // QLockFile also reports "held" for something in the lock's place that it cannot take over.
        const QFileInfo existing(lockFilePath());
        if (error == QLockFile::LockFailedError && (!existing.exists() || existing.isFile()))
            return Lock::HeldByAnother;
        if (error == QLockFile::LockFailedError) {
            error_ = QStringLiteral("%1 is in the way and is not a lock file").arg(lockFilePath());
            return Lock::Unavailable;
        }
        error_ = QStringLiteral("cannot write %1 (%2)")
                     .arg(lockFilePath(),
                          error == QLockFile::PermissionError ? QStringLiteral("permission denied")
                                                              : QStringLiteral("unknown error"));
        return Lock::Unavailable;
    }
    listen();
    return Lock::Taken;
}

void SingleInstance::listen() {
    sockaddr_un address;
    if (!MakeAddress(socketPath(), address))
        return; // the lock still keeps a second start out; it just cannot wake us
    // Holding the lock, any socket file left there is a crashed instance's.
    ::unlink(address.sun_path);
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket)
        return;
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket.get(), kBacklog) != 0) {
        ::unlink(address.sun_path);
        return;
    }
    listenFd_ = socket.release();
    listenNotifier_ = new QSocketNotifier(listenFd_, QSocketNotifier::Read, this);
    connect(listenNotifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
}

void SingleInstance::acceptConnections() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return; // EAGAIN: all taken; anything else: the next notice tries again
        if (connections_.size() >= kMaxConnections) {
            const auto oldest =
                std::min_element(connections_.begin(), connections_.end(),
                                 [](const auto& a, const auto& b) { return a.second.serial < b.second.serial; });
            dropConnection(oldest->first);
        }
        Connection& connection = connections_[fd];
        connection.serial = nextSerial_++;
        connection.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(connection.notifier, &QSocketNotifier::activated, this, [this, fd] { readRequest(fd); });
    }
}

void SingleInstance::readRequest(int fd) {
    const auto it = connections_.find(fd);
    if (it == connections_.end())
        return;
    char buffer[64];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0) {
        dropConnection(fd);
        return;
    }
    QByteArray& received = it->second.received;
    received.append(buffer, got);
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        // The request may come in pieces; wait while what came so far can still be one.
        const QByteArray head = received.left(kWordLength);
        const bool mayBe = QByteArray(kActivate).startsWith(head) || QByteArray(kShow).startsWith(head);
        if (!mayBe || received.size() >= kMaxRequest)
            dropConnection(fd);
        return;
    }
    const QByteArray line = received.left(end);
    dropConnection(fd);
    const qsizetype space = line.indexOf(' ');
    const QByteArray word = space < 0 ? line : line.left(space);
    const bool shown = word == kShow;
    if (!shown && word != kActivate)
        return;
    // A malformed token still brings the window forward, only without the token.
    QByteArray token = space < 0 ? QByteArray() : line.mid(space + 1);
    if (!ActivationToken::isValid(token))
        token.clear();
    emit activationRequested(shown, token);
}

void SingleInstance::dropConnection(int fd) {
    const auto it = connections_.find(fd);
    if (it == connections_.end())
        return;
    // The notifier may be the one whose signal is running: disable it now, delete it later.
    it->second.notifier->setEnabled(false);
    it->second.notifier->deleteLater();
    connections_.erase(it);
    ::close(fd);
}

bool SingleInstance::signalRunningInstance(bool show, const QByteArray& token) {
    sockaddr_un address;
    if (!MakeAddress(socketPath(), address))
        return false;
    const UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket)
        return false;
    const int fd = socket.get();
    // A running instance that is stuck must not hang this start: connect and send give up in time.
    const timeval timeout{kSendTimeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    bool delivered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        QByteArray request(show ? kShow : kActivate);
        if (ActivationToken::isValid(token))
            request += ' ' + token;
        request += '\n';
        const ssize_t sent = ::send(fd, request.constData(), std::size_t(request.size()), MSG_NOSIGNAL);
        delivered = sent == ssize_t(request.size());
    }
    // No waiting for the running instance to hang up: it may be this very process's event loop
    // (the socket is closed on return).
    return delivered;
}

} // namespace vexo
