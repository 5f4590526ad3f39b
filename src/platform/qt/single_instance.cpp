#include "platform/qt/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace vexo {
namespace {

// The one request a later start sends. Anything else on the socket is ignored.
constexpr char kActivate[] = "activate\n";
constexpr int kConnectTimeoutMs = 2000;

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), name_(name),
      folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const {
    return QDir(folder_).filePath(name_ + QStringLiteral(".lock"));
}

QString SingleInstance::socketPath() const {
    return QDir(folder_).filePath(name_ + QStringLiteral(".socket"));
}

bool SingleInstance::tryLock() {
    if (isLocked())
        return true;
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return false;
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Only a dead owner makes a lock stale; a long-running instance keeps its lock however old.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    // Holding the lock, any socket file left there is a crashed instance's.
    QLocalServer::removeServer(socketPath());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    if (!server_->listen(socketPath()))
        server_.reset(); // the lock still keeps a second start out; it just cannot wake us
    return true;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request(kActivate);
            // The request may come in pieces; wait while what came so far can still be it.
            if (socket->bytesAvailable() < request.size()) {
                if (!request.startsWith(socket->peek(request.size())))
                    socket->disconnectFromServer();
                return;
            }
            if (socket->read(request.size()) == request)
                emit activationRequested();
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::signalRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivate, sizeof kActivate - 1);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    // No waiting for the running instance to hang up: it may be this very process's event loop.
    socket.disconnectFromServer();
    return true;
}

} // namespace vexo
