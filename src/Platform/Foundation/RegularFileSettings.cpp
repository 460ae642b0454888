#include "Platform/Foundation/RegularFileSettings.h"

#include "Platform/Foundation/AtomicFile.h"
#include "Platform/Foundation/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A private folder (mode 0700) for the copy: in the user's runtime folder,
// which nothing clears by age while the session lasts, or else in the
// temporary folder.
std::unique_ptr<QTemporaryDir> makePrivateFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    for (const QString& base : {runtime, QDir::tempPath()}) {
        if (base.isEmpty()) {
            continue;
        }
        auto folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/pelmor-XXXXXX"));
        if (folder->isValid()) {
            return folder;
        }
    }
    return nullptr;
}

QString copyPathIn(const QTemporaryDir& folder) {
    return folder.filePath(QStringLiteral("settings.conf"));
}

} // namespace

std::unique_ptr<RegularFileSettings> RegularFileSettings::open(const QString& path,
                                                               std::function<void()> refused) {
    auto folder = makePrivateFolder();
    if (!folder) {
        return nullptr;
    }
    return std::unique_ptr<RegularFileSettings>(
        new RegularFileSettings(path, std::move(folder), std::move(refused)));
}

RegularFileSettings::RegularFileSettings(QString path, std::unique_ptr<QTemporaryDir> folder,
                                         std::function<void()> refused)
    : QSettings(copyPathIn(*folder), QSettings::NativeFormat), path_(std::move(path)),
      folder_(std::move(folder)), onRefused_(std::move(refused)) {
    sync();
}

RegularFileSettings::~RegularFileSettings() {
    sync();
}

bool RegularFileSettings::event(QEvent* event) {
    // Qt asks for its own sync this way soon after a change.
    if (event->type() == QEvent::UpdateRequest) {
        sync();
        return true;
    }
    return QSettings::event(event);
}

void RegularFileSettings::sync() {
    if (refused_) {
        QSettings::sync();
        return;
    }
    const RegularFile::Contents file = RegularFile::read(path_);
    switch (file.kind) {
    case RegularFile::Kind::other:
        refuse();
        QSettings::sync();
        return;
    case RegularFile::Kind::unreadable:
        // The copy as it is; the file is tried again at the next sync.
        QSettings::sync();
        return;
    case RegularFile::Kind::regularFile:
    case RegularFile::Kind::absent:
        break;
    }
    const std::optional<QByteArray> contents =
        file.kind == RegularFile::Kind::regularFile ? std::optional(file.bytes) : std::nullopt;
    // Without the file's contents in the copy, Qt's sync would take the copy
    // for the file and could drop what the file holds: what is set stays in
    // memory until a later sync.
    if (!copyHolds(contents)) {
        return;
    }
    known_ = contents;
    QSettings::sync();
    writeBackCopy();
}

bool RegularFileSettings::copyHolds(const std::optional<QByteArray>& contents) {
    const QString copy = copyPathIn(*folder_);
    // A copy that holds changes not yet written back is kept, unless the file
    // changed meanwhile; one that has gone is put back.
    if (contents == known_ && (!known_ || QFile::exists(copy))) {
        return true;
    }
    ::mkdir(QFile::encodeName(folder_->path()).constData(), 0700);
    if (!contents) {
        return !QFile::exists(copy) || QFile::remove(copy);
    }
    if (!AtomicFile::write(copy, *contents)) {
        return false;
    }
    // Seconds after the epoch, one count per copy: never the time of a save
    // of Qt's, nor of an earlier copy of the same size.
    const struct timespec times[2] = {{0, UTIME_OMIT}, {++copyGeneration_, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(copy).constData(), times, 0) == 0;
}

void RegularFileSettings::writeBackCopy() {
    const RegularFile::Contents copy = RegularFile::read(copyPathIn(*folder_));
    if (copy.kind != RegularFile::Kind::regularFile || copy.bytes == known_) {
        return;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (AtomicFile::write(path_, copy.bytes)) {
        known_ = copy.bytes;
    } else if (RegularFile::kindAt(path_) == RegularFile::Kind::other) {
        refuse();
    }
}

void RegularFileSettings::refuse() {
    refused_ = true;
    if (onRefused_) {
        onRefused_();
    }
}
