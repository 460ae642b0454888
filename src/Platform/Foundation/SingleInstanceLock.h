#pragma once

#include <QString>

// An exclusive lock on a folder, held for as long as this object lives, so
// that one process at a time runs with it. The folder itself is locked, not a
// file in it: reading the folder is all it takes, so the lock holds in a
// read-only folder, on a read-only file system and beside files left by a run
// as another user. The kernel lets go of the lock when its holder ends in any
// way (quit, crash, kill). Child processes do not inherit it.
class SingleInstanceLock {
public:
    enum class Outcome {
        acquired,
        heldByAnotherProcess,
        // The folder could neither be made nor opened for reading, or its file
        // system has no locks: nothing is held, and nothing guards the run.
        unavailable,
    };

    // Tries once, without waiting, to lock the folder at `folderPath`,
    // making it when missing.
    explicit SingleInstanceLock(const QString& folderPath);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Outcome outcome() const { return outcome_; }

private:
    int descriptor_ = -1;
    Outcome outcome_ = Outcome::unavailable;
};
