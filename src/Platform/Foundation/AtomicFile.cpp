#include "Platform/Foundation/AtomicFile.h"

#include "Platform/Foundation/RegularFile.h"

#include <QSaveFile>

namespace AtomicFile {

namespace {

bool mayBeReplaced(const QString& path) {
    return RegularFile::kindAt(path) != RegularFile::Kind::other;
}

} // namespace

bool write(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty() || !mayBeReplaced(path)) {
        return false;
    }
    // Written beside the file behind any links, then renamed over it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // A write cut short (a full disk, a file-size limit) can still report
    // every byte written and commit: the file's own size tells the truth.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size() ||
        !mayBeReplaced(path)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace AtomicFile
