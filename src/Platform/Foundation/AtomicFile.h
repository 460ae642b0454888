#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file at once: the file at `path` afterwards holds either
// exactly `bytes` or, when the write fails, what it held before.
namespace AtomicFile {

// Whether the new contents were committed whole.
bool write(const QString& path, const QByteArray& bytes);

} // namespace AtomicFile
