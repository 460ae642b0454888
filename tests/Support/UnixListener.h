#pragma once

#include <ctime>
#include <sys/types.h>

#include <QByteArray>

// A unix stream socket listening at a file path. It binds only where no file
// is: a socket in place already (a running server's, say) is left alone and
// the listener fails, unless it is a stale one nobody listens on and the
// caller asked for that to be replaced. On destruction the socket file goes,
// only while it is still the one this listener bound.
class UnixListener {
public:
    enum class AtPath { mustBeFree, mayReplaceStaleSocket };

    UnixListener(const QByteArray& path, int backlog, AtPath atPath = AtPath::mustBeFree);
    ~UnixListener();
    UnixListener(const UnixListener&) = delete;
    UnixListener& operator=(const UnixListener&) = delete;

    bool isListening() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    // Wakes an accept waiting on the socket; it fails from then on.
    void shutDown();

private:
    void closeAndRemoveOwnFile();

    QByteArray path_;
    int descriptor_ = -1;
    // The file it bound: an inode number alone may be reused at once for the
    // next file made, its change time (set at creation) tells them apart.
    dev_t device_ = 0;
    ino_t inode_ = 0;
    timespec changed_{};
};
