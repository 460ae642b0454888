#include "Platform/Foundation/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace RegularFile {

namespace {

Kind kindOfFailure(int error) {
    switch (error) {
    case ENOENT:
        return Kind::absent;
    case ELOOP:
        return Kind::other;
    default:
        return Kind::unreadable;
    }
}

Kind kindOf(const struct stat& status) {
    return S_ISREG(status.st_mode) ? Kind::regularFile : Kind::other;
}

// Reads to the end; false on a read error.
bool readAll(int descriptor, QByteArray& bytes) {
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count == 0) {
            return true;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.append(buffer, count);
    }
}

} // namespace

Kind kindAt(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return kindOfFailure(errno);
    }
    return kindOf(status);
}

Contents read(const QString& path) {
    const Kind kind = kindAt(path);
    if (kind != Kind::regularFile) {
        return {kind, {}};
    }
    // O_NONBLOCK: a FIFO swapped in after the look above opens at once
    // instead of waiting for a writer; on a regular file it changes nothing.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        return {kindOfFailure(errno), {}};
    }
    Contents contents;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        contents.kind = Kind::unreadable;
    } else {
        contents.kind = kindOf(status);
    }
    if (contents.kind == Kind::regularFile && !readAll(descriptor, contents.bytes)) {
        contents = {Kind::unreadable, {}};
    }
    ::close(descriptor);
    return contents;
}

bool writeWhole(int descriptor, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        done += count;
    }
    return ::fsync(descriptor) == 0;
}

} // namespace RegularFile
