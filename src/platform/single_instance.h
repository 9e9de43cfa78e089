#pragma once

#include <QString>

#include <string>

namespace vaziduvu {

// Name of the lock that keeps a second copy of the program from starting.
inline constexpr char kInstanceLockName[] = "VaziDuvuInstance";

// One running instance per user: an exclusive lock (flock) on the file
// "<name>.lock" in the user's runtime folder (the temporary folder when there
// is none). The kernel holds the lock for the process and drops it when the
// process ends, however it ends, so exactly a live instance blocks a start:
// a copy killed with SIGKILL, or one that crashed while starting, never
// does. The file's contents never matter (it names the holder's process for
// the curious), and the file is never removed: removing it would let two
// copies lock two different files of the same name.
class SingleInstanceLock {
public:
    enum class Outcome {
        Acquired,       // this object holds the lock
        HeldElsewhere,  // a running copy holds it
        Unavailable,    // the lock file cannot be made or locked at all
    };

    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // Tries for up to waitMs milliseconds. Acquired also when this object
    // held the lock already.
    Outcome acquire(const std::string &name, int waitMs = 400);
    // acquire() == Acquired.
    bool tryAcquire(const std::string &name, int waitMs = 400)
    {
        return acquire(name, waitMs) == Outcome::Acquired;
    }
    bool isHeld() const { return descriptor_ >= 0; }
    // Releases the lock early (the destructor does it otherwise).
    void release();

    static QString lockFilePath(const std::string &name);

private:
    int descriptor_ = -1;
};

}  // namespace vaziduvu
