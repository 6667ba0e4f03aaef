// One running copy per user session. The first copy holds a lock file and
// listens on the local socket "ZAKMap"; a later copy asks it to bring its
// window to the front and ends.
#pragma once

#include <functional>
#include <memory>

#include <QLocalServer>
#include <QLockFile>
#include <QString>

namespace kest::ui {

class SingleInstance {
public:
    // `name` is the guard's name ("ZAKMap"); the lock file lies in `dir`
    // (the user's runtime directory when empty).
    explicit SingleInstance(QString name = QStringLiteral("ZAKMap"), QString dir = {});
    ~SingleInstance();

    enum class Outcome { First, Second, Failed };
    // Takes the guard. A lock left by a process that no longer runs is
    // taken over.
    Outcome Acquire();

    // First copy: calls `raise` whenever a later copy starts.
    bool Listen(std::function<void()> raise);
    // Second copy: asks the first to raise its window; true when it was told.
    bool NotifyFirst(int timeout_ms = 1000) const;

    QString LockPath() const { return lock_path_; }

private:
    QString name_;
    QString lock_path_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace kest::ui
