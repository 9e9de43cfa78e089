#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vaziduvu {

SingleInstanceLock::~SingleInstanceLock()
{
    release();
}

QString SingleInstanceLock::lockFilePath(const std::string &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + QString::fromLatin1(name.data(), qsizetype(name.size()))
        + QStringLiteral(".lock");
}

SingleInstanceLock::Outcome SingleInstanceLock::acquire(const std::string &name, int waitMs)
{
    if (isHeld())
        return Outcome::Acquired;
    const QByteArray path = QFile::encodeName(lockFilePath(name));
    const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return Outcome::Unavailable;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            ::close(descriptor);
            return Outcome::Unavailable;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(descriptor);
            return Outcome::HeldElsewhere;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    descriptor_ = descriptor;
    // For a person looking at the file; nobody reads it.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(descriptor_, 0) != 0 || ::write(descriptor_, pid.data(), pid.size()) < 0) {
        // The contents never matter.
    }
    return Outcome::Acquired;
}

void SingleInstanceLock::release()
{
    if (descriptor_ < 0)
        return;
    ::flock(descriptor_, LOCK_UN);
    ::close(descriptor_);
    descriptor_ = -1;
}

}  // namespace vaziduvu
