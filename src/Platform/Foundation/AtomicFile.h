#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file at once: the file at `path` afterwards holds either
// exactly `bytes` or, when the write fails, what it held before.
namespace AtomicFile {

// Whether the new contents were committed whole. A path that leads, through
// any links, to something other than a regular file (a FIFO, a device, a
// folder, a link loop) is left as it is and refused, when it is there before
// the write and when it is there as the new file is put in place.
bool write(const QString& path, const QByteArray& bytes);

} // namespace AtomicFile
