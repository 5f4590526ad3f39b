#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace vexo {

// One running utility per user. The lock is a QLockFile "<name>.lock" in the user's runtime
// folder; a lock left by a process that died is taken over. The instance that holds the lock
// also listens on a local socket "<name>.socket" beside it, so that a later start can ask it to
// come to the front (needed where the desktop has no notification area to click).
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kDefaultName = "T58SSOP28DPIVerMutex";

    // folder empty: the user's runtime folder (QStandardPaths::RuntimeLocation).
    explicit SingleInstance(const QString& name = QString::fromLatin1(kDefaultName),
                            const QString& folder = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock without waiting. True when this object now holds it (then it also listens
    // for activation requests); false when another instance runs or the folder is unusable.
    bool tryLock();
    bool isLocked() const { return lock_ && lock_->isLocked(); }

    // From a start that lost tryLock(): asks the running instance to show its window.
    // True when the request was delivered; false when no instance listens.
    bool signalRunningInstance();

    QString lockFilePath() const;
    QString socketPath() const;

signals:
    // A later start asked this instance to show its window.
    void activationRequested();

private:
    void onConnection();

    QString name_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace vexo
