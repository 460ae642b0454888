#include "Support/SilentUnixSocket.h"

#include <QFile>

SilentUnixSocket::SilentUnixSocket(const QString& path, UnixListener::AtPath atPath)
    : path_(path.isEmpty() ? folder_.filePath(QStringLiteral("bus")) : path),
      listener_(QFile::encodeName(path_), 64, atPath) {}
