#include "Platform/Foundation/AtomicFile.h"

#include <QSaveFile>

namespace AtomicFile {

bool write(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // A write cut short (a full disk, a file-size limit) can still report
    // every byte written and commit: the file's own size tells the truth.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace AtomicFile
