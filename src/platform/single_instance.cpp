#include "platform/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace vaziduvu {

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock() = default;

QString SingleInstanceLock::lockFilePath(const std::string &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + QString::fromLatin1(name.data(), qsizetype(name.size()))
        + QStringLiteral(".lock");
}

bool SingleInstanceLock::tryAcquire(const std::string &name, int waitMs)
{
    if (isHeld())
        return true;
    auto lock = std::make_unique<QLockFile>(lockFilePath(name));
    // The lock lives as long as the program, so its age says nothing: with
    // the default stale time a second copy would take over a lock held for
    // more than 30 seconds by a running first copy. 0 switches the age test
    // off; a lock file whose process is gone is still recognised by its
    // process id and removed.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(waitMs))
        return false;
    lock_ = std::move(lock);
    return true;
}

bool SingleInstanceLock::isHeld() const
{
    return lock_ && lock_->isLocked();
}

void SingleInstanceLock::release()
{
    lock_.reset();
}

}  // namespace vaziduvu
