#include "ui/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kest::ui {

namespace {
constexpr char kRaise[] = "raise\n";

QString RuntimeDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}
}  // namespace

SingleInstance::SingleInstance(QString name, QString dir) {
    if (dir.isEmpty()) dir = RuntimeDir();
    QDir().mkpath(dir);
    // The socket lives next to the lock, in a directory of this user only.
    lock_path_ = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    name_ = dir + QLatin1Char('/') + name;
}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

SingleInstance::Outcome SingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(lock_path_);
    // Never stale by age: only a lock whose process has gone is taken over,
    // which tryLock checks by the owner's process id.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return Outcome::First;
    if (lock_->error() == QLockFile::LockFailedError) return Outcome::Second;
    return Outcome::Failed;
}

bool SingleInstance::Listen(std::function<void()> raise) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left behind is a crashed copy's.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) return false;
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, raise] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::readyRead, s, [s, raise] {
                if (s->readAll().contains("raise")) raise();
                s->disconnectFromServer();
            });
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}

bool SingleInstance::NotifyFirst(int timeout_ms) const {
    QLocalSocket s;
    s.connectToServer(name_);
    if (!s.waitForConnected(timeout_ms)) return false;
    s.write(kRaise);
    const bool ok = s.waitForBytesWritten(timeout_ms);
    s.disconnectFromServer();
    if (s.state() != QLocalSocket::UnconnectedState) s.waitForDisconnected(timeout_ms);
    return ok;
}

}  // namespace kest::ui
