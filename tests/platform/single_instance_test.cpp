#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <csignal>
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

using Outcome = SingleInstanceLock::Outcome;

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
    ASSERT_EQ(first.acquire(name), Outcome::Acquired);
    EXPECT_TRUE(first.isHeld());

    SingleInstanceLock second;
    EXPECT_EQ(second.acquire(name, 50), Outcome::HeldElsewhere);
    EXPECT_FALSE(second.isHeld());

    first.release();
    EXPECT_EQ(second.acquire(name, 0), Outcome::Acquired);
    {
        SingleInstanceLock third;  // destruction releases too
        second.release();
        ASSERT_TRUE(third.tryAcquire(name, 0));
    }
    EXPECT_TRUE(second.tryAcquire(name, 0));
}

// What a crash between creating and writing the lock leaves, or anything
// else in the file: its contents never block a start.
class LeftOverLockFile : public ::testing::TestWithParam<const char *> { };

TEST_P(LeftOverLockFile, NeverBlocksAStart)
{
    const std::string name = uniqueName("leftover");
    QFile file(SingleInstanceLock::lockFilePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(GetParam());
    file.close();
    SingleInstanceLock lock;
    EXPECT_EQ(lock.acquire(name, 0), Outcome::Acquired);
    lock.release();
    QFile::remove(SingleInstanceLock::lockFilePath(name));
}

INSTANTIATE_TEST_SUITE_P(Contents, LeftOverLockFile,
                         ::testing::Values("", "garbage \x01\xff", "1\nvaziduvu\nhost\n"));

// A holder killed with SIGKILL never blocks the next start, and the next
// start after it is the only holder: run many times, as a crash loop would.
TEST(SingleInstanceLock, KilledHolderReleasesEveryTime)
{
    const std::string name = uniqueName("killed");
    for (int round = 0; round < 20; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SingleInstanceLock held;
            const char answer = held.tryAcquire(name, 1000) ? 'y' : 'n';
            (void)!::write(ready[1], &answer, 1);
            ::pause();
            ::_exit(0);
        }
        char answer = 0;
        ASSERT_EQ(::read(ready[0], &answer, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        ASSERT_EQ(answer, 'y') << "round " << round;

        SingleInstanceLock meanwhile;
        EXPECT_EQ(meanwhile.acquire(name, 0), Outcome::HeldElsewhere) << "round " << round;

        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        SingleInstanceLock next;
        EXPECT_EQ(next.acquire(name, 0), Outcome::Acquired) << "round " << round;
        SingleInstanceLock another;
        EXPECT_EQ(another.acquire(name, 0), Outcome::HeldElsewhere) << "round " << round;
    }
    QFile::remove(SingleInstanceLock::lockFilePath(name));
}

}  // namespace
}  // namespace vaziduvu
