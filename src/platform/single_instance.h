#pragma once

#include <QString>

#include <memory>
#include <string>

class QLockFile;

namespace vaziduvu {

// Name of the lock that keeps a second copy of the program from starting.
inline constexpr char kInstanceLockName[] = "VaziDuvuInstance";

// One running instance per user: a lock file "<name>.lock" in the user's
// runtime folder (the temporary folder when there is none). The lock is
// held from a successful tryAcquire until the object is destroyed.
//
// A lock file left behind by a crashed copy never blocks a later start: the
// file names the process that made it, and a file whose process no longer
// runs is removed. A lock held by a running copy is never taken over, however
// long it has been held.
class SingleInstanceLock {
public:
    SingleInstanceLock();
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // True when this object now holds the lock (also when it held it
    // already); false when another holder kept it for waitMs milliseconds
    // or the lock file cannot be created.
    bool tryAcquire(const std::string &name, int waitMs = 400);
    bool isHeld() const;
    // Releases the lock early (the destructor does it otherwise).
    void release();

    static QString lockFilePath(const std::string &name);

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vaziduvu
