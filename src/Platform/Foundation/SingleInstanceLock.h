#pragma once

#include <QString>

// An exclusive lock on a file, held for as long as this object lives, so that
// one process at a time runs with a given folder. The kernel lets go of the
// lock when its holder ends in any way (quit, crash, kill): a lock file left
// behind by a dead process never blocks the next one. Child processes do not
// inherit it.
class SingleInstanceLock {
public:
    enum class Outcome {
        acquired,
        heldByAnotherProcess,
        // The lock file could not be opened or locked (an unwritable folder,
        // a file system without locks): nothing is held.
        unavailable,
    };

    // Tries once, without waiting, to lock the file at `path`, creating it
    // and its folder when missing; a file that cannot be written is locked
    // through reading.
    explicit SingleInstanceLock(const QString& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Outcome outcome() const { return outcome_; }

private:
    int descriptor_ = -1;
    Outcome outcome_ = Outcome::unavailable;
};
