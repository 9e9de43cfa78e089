#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace vaziduvu {
namespace {

// A name of its own for every test, so a running program or another test
// binary never shares the lock.
std::string uniqueName(const char *test)
{
    return std::string("VaziDuvuTest-") + test + "-" + std::to_string(::getpid());
}

// A process id that no longer runs: a child that has exited and been reaped.
qint64 deadProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void writeLockFile(const QString &path, qint64 pid, const QString &appName)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::number(pid) + '\n' + appName.toUtf8() + '\n'
               + QSysInfo::machineHostName().toUtf8() + '\n');
    file.close();
}

TEST(SingleInstanceLock, UsesTheProgramsName)
{
    EXPECT_STREQ(kInstanceLockName, "VaziDuvuInstance");
    EXPECT_TRUE(SingleInstanceLock::lockFilePath(kInstanceLockName)
                    .endsWith(QStringLiteral("/VaziDuvuInstance.lock")));
}

TEST(SingleInstanceLock, SecondHolderIsRefusedUntilTheFirstReleases)
{
    const std::string name = uniqueName("second");
    SingleInstanceLock first;
    ASSERT_TRUE(first.tryAcquire(name));
    EXPECT_TRUE(first.isHeld());
    EXPECT_TRUE(QFileInfo::exists(SingleInstanceLock::lockFilePath(name)));

    SingleInstanceLock second;
    EXPECT_FALSE(second.tryAcquire(name));
    EXPECT_FALSE(second.isHeld());

    first.release();
    EXPECT_FALSE(QFileInfo::exists(SingleInstanceLock::lockFilePath(name)));
    EXPECT_TRUE(second.tryAcquire(name, 0));
}

TEST(SingleInstanceLock, DestructionReleases)
{
    const std::string name = uniqueName("scope");
    {
        SingleInstanceLock first;
        ASSERT_TRUE(first.tryAcquire(name));
    }
    SingleInstanceLock next;
    EXPECT_TRUE(next.tryAcquire(name, 0));
}

TEST(SingleInstanceLock, LockFileOfACrashedProcessDoesNotBlock)
{
    const std::string name = uniqueName("crashed");
    const QString path = SingleInstanceLock::lockFilePath(name);
    writeLockFile(path, deadProcessId(), QCoreApplication::applicationName());

    SingleInstanceLock lock;
    EXPECT_TRUE(lock.tryAcquire(name));
}

TEST(SingleInstanceLock, LongHeldLockOfARunningProcessStillBlocks)
{
    // The first copy has been running for an hour: its lock file is old,
    // but its process is alive, so the lock is not stale.
    const std::string name = uniqueName("old");
    SingleInstanceLock first;
    ASSERT_TRUE(first.tryAcquire(name));
    QFile file(SingleInstanceLock::lockFilePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();

    SingleInstanceLock second;
    EXPECT_FALSE(second.tryAcquire(name));
    EXPECT_TRUE(first.isHeld());
}

}  // namespace
}  // namespace vaziduvu
