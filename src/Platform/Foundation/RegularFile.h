#pragma once

#include <QByteArray>
#include <QString>

// A path used only while it leads, through any links, to a regular file:
// anything else there (a FIFO, a device, a folder, a socket, a link loop) is
// never opened for reading, so no read can block or touch a device.
namespace RegularFile {

enum class Kind {
    regularFile,
    // Nothing there (nor behind a dangling link): a first write makes it.
    absent,
    // Something that is not a regular file, or a link loop.
    other,
    // There, but could not be looked at or read (permissions, I/O).
    unreadable,
};

struct Contents {
    Kind kind = Kind::absent;
    // The whole file, for a regular file only.
    QByteArray bytes;
};

// What the path leads to now.
Kind kindAt(const QString& path);

// The file's bytes. The path is looked at before it is opened, opened without
// waiting for a writer, and the opened file looked at again, so something
// swapped in meanwhile is closed unread.
Contents read(const QString& path);

// Writes all of `bytes` to an open file and flushes them to the disk; false,
// errno set, when a step fails.
bool writeWhole(int descriptor, const QByteArray& bytes);

} // namespace RegularFile
