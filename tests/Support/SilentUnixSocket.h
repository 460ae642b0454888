#pragma once

#include "Support/UnixListener.h"

#include <QString>
#include <QTemporaryDir>

// A hung or stopped daemon's socket: it takes every connection (the kernel
// queues them) and never answers. Listens at a path in a temporary folder of
// its own, or at `path` given, until destroyed. A file at `path` already is
// left alone, and the socket does not listen; a stale socket its own test's
// daemon left there is replaced where `atPath` says so.
class SilentUnixSocket {
public:
    explicit SilentUnixSocket(const QString& path = {},
                              UnixListener::AtPath atPath = UnixListener::AtPath::mustBeFree);
    SilentUnixSocket(const SilentUnixSocket&) = delete;
    SilentUnixSocket& operator=(const SilentUnixSocket&) = delete;

    bool isListening() const { return listener_.isListening(); }
    const QString& path() const { return path_; }
    // The bus address of the socket.
    QString address() const { return QStringLiteral("unix:path=") + path_; }

private:
    QTemporaryDir folder_;
    QString path_;
    UnixListener listener_;
};
