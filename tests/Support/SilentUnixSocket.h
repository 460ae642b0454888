#pragma once

#include <QString>
#include <QTemporaryDir>

// A hung or stopped daemon's socket: it takes every connection (the kernel
// queues them) and never answers. Listens at a path in a temporary folder of
// its own, or at `path` given, until destroyed.
class SilentUnixSocket {
public:
    explicit SilentUnixSocket(const QString& path = {});
    ~SilentUnixSocket();
    SilentUnixSocket(const SilentUnixSocket&) = delete;
    SilentUnixSocket& operator=(const SilentUnixSocket&) = delete;

    bool isListening() const { return descriptor_ >= 0; }
    const QString& path() const { return path_; }
    // The bus address of the socket.
    QString address() const { return QStringLiteral("unix:path=") + path_; }

private:
    QTemporaryDir folder_;
    QString path_;
    int descriptor_ = -1;
};
