#pragma once

// Counts its live copies in a counter the test owns, so that a test can prove
// that a captured object was released.
class Counted {
public:
    explicit Counted(int& liveCount) : liveCount_(&liveCount) { ++*liveCount_; }
    Counted(const Counted& other) : liveCount_(other.liveCount_) { ++*liveCount_; }
    Counted& operator=(const Counted&) = delete;
    ~Counted() { --*liveCount_; }

    int liveCount() const { return *liveCount_; }

private:
    int* liveCount_;
};
