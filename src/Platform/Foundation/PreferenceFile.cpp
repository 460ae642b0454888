#include "Platform/Foundation/PreferenceFile.h"

#include "Platform/Foundation/RegularFile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

namespace {

// A file changed between our read and our rename this many times in a row
// is left to the next write.
constexpr int maxWriteRounds = 3;

// The path behind any links: where the file itself is; none for a link loop
// or a link that cannot be read.
std::optional<QByteArray> pathBehindLinks(QByteArray path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0) {
            return std::nullopt;
        }
        const QByteArray next(target, length);
        path = next.startsWith('/') ? next : path.first(path.lastIndexOf('/') + 1) + next;
    }
    return std::nullopt;
}

// The name of a new file written beside `name`, `unique` making it unique
// (mkostemp's template by default). The marker keeps a name a user may give
// a copy (".pelmor.conf.pelmor-backup") out of what counts as a leftover.
QByteArray newFileName(const QByteArray& name, const QByteArray& unique = "XXXXXX") {
    return '.' + name + ".pelmor-new-" + unique;
}

// Whether `name` is one mkostemp made for a new file beside `fileName`: the
// exact name, its six letters or digits in place of the template's.
bool isNewFileName(const QByteArray& name, const QByteArray& fileName) {
    const QByteArray prefix = newFileName(fileName, {});
    constexpr qsizetype uniqueLength = 6;
    return name.size() == prefix.size() + uniqueLength && name.startsWith(prefix) &&
           std::all_of(name.end() - uniqueLength, name.end(), [](char ch) {
               return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                      (ch >= '0' && ch <= '9');
           });
}

// Removes what writes cut short (the process killed) left beside the file at
// `target`. One Pelmor at a time uses a settings folder, so every such file
// there at the start is a leftover; nothing of another's making is touched.
void removeLeftoverWrites(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.first(slash + 1);
    const QByteArray fileName = target.sliced(slash + 1);
    const QDir::Filters entries = QDir::Files | QDir::Hidden | QDir::System;
    for (const QString& name : QDir(QFile::decodeName(folder)).entryList(entries)) {
        const QByteArray leftover = folder + QFile::encodeName(name);
        struct stat status {};
        if (isNewFileName(QFile::encodeName(name), fileName) &&
            ::lstat(leftover.constData(), &status) == 0 && S_ISREG(status.st_mode)) {
            ::unlink(leftover.constData());
        }
    }
}

} // namespace

PreferenceFile::PreferenceFile(QString path, std::function<void()> refused)
    : PreferenceFile(std::move(path), std::move(refused), WriteSteps{}) {}

PreferenceFile::PreferenceFile(QString path, std::function<void()> refused, WriteSteps steps)
    : path_(std::move(path)), onRefused_(std::move(refused)), steps_(std::move(steps)) {
    if (!steps_.writeAll) {
        steps_.writeAll = RegularFile::writeWhole;
    }
    retry_.setSingleShot(true);
    retry_.setInterval(steps_.retryDelay);
    QObject::connect(&retry_, &QTimer::timeout, this, [this] { sync(); });
    if (refresh()) {
        if (const auto target = pathBehindLinks(QFile::encodeName(path_))) {
            removeLeftoverWrites(*target);
        }
    }
}

PreferenceFile::~PreferenceFile() {
    sync();
}

QVariant PreferenceFile::value(const QString& key) const {
    if (const auto changed = pending_.constFind(key); changed != pending_.cend()) {
        return changed->value_or(QVariant());
    }
    refresh();
    const auto written = file_.constFind(key);
    return written == file_.cend() ? QVariant() : IniSettingsFormat::decoded(*written);
}

void PreferenceFile::setValue(const QString& key, const QVariant& value) {
    change(key, value);
}

void PreferenceFile::remove(const QString& key) {
    change(key, std::nullopt);
}

void PreferenceFile::change(const QString& key, std::optional<QVariant> value) {
    // What the file holds already is no change: writing it would only replace
    // the file with the same bytes.
    if (refresh()) {
        const auto written = file_.constFind(key);
        if (value ? written != file_.cend() && *written == IniSettingsFormat::encoded(*value)
                  : written == file_.cend()) {
            pending_.remove(key);
            return;
        }
    }
    pending_.insert(key, std::move(value));
    if (!syncPosted_) {
        syncPosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest));
    }
}

bool PreferenceFile::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        syncPosted_ = false;
        sync();
        return true;
    }
    return QObject::event(event);
}

bool PreferenceFile::sync() {
    for (int round = 0; round < maxWriteRounds && !pending_.isEmpty(); ++round) {
        read_.reset();
        if (!refresh()) {
            break;
        }
        const IniSettingsFormat::Entries merged = fileWithPending();
        const Outcome outcome = replace(IniSettingsFormat::serialised(merged));
        if (outcome == Outcome::written) {
            file_ = merged;
            pending_.clear();
        }
        if (outcome != Outcome::changed) {
            break;
        }
    }
    if (pending_.isEmpty() || refused_) {
        retry_.stop();
    } else {
        retry_.start();
    }
    return pending_.isEmpty();
}

IniSettingsFormat::Entries PreferenceFile::fileWithPending() const {
    IniSettingsFormat::Entries merged = file_;
    for (auto change = pending_.cbegin(); change != pending_.cend(); ++change) {
        if (change.value()) {
            merged.insert(change.key(), IniSettingsFormat::encoded(*change.value()));
        } else {
            merged.remove(change.key());
        }
    }
    return merged;
}

PreferenceFile::Identity PreferenceFile::identityOf(const struct stat& status) {
    return {
        std::uint64_t(status.st_dev), std::uint64_t(status.st_ino), std::uint64_t(status.st_size),
        std::uint64_t(status.st_mtim.tv_sec) * 1000000000u + std::uint64_t(status.st_mtim.tv_nsec)};
}

PreferenceFile::Identity PreferenceFile::identityAt(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? identityOf(status)
                                                                     : Identity{};
}

bool PreferenceFile::refresh() const {
    if (refused_) {
        return false;
    }
    const Identity now = identityAt(path_);
    if (read_ == now) {
        return true;
    }
    const RegularFile::Contents contents = RegularFile::read(path_);
    switch (contents.kind) {
    case RegularFile::Kind::other:
        refuse();
        return false;
    case RegularFile::Kind::unreadable:
        return false;
    case RegularFile::Kind::absent:
    case RegularFile::Kind::regularFile:
        break;
    }
    file_ = IniSettingsFormat::parsed(contents.bytes);
    read_ = now;
    return true;
}

PreferenceFile::Outcome PreferenceFile::replace(const QByteArray& bytes) {
    const std::optional<QByteArray> target = pathBehindLinks(QFile::encodeName(path_));
    Identity identity;
    const std::optional<QByteArray> written =
        target ? writeBeside(*target, bytes, identity) : std::nullopt;
    if (!written) {
        return Outcome::failed;
    }
    if (steps_.beforeRename) {
        steps_.beforeRename();
    }
    const Identity current = identityAt(path_);
    const Outcome outcome = current != read_ ? Outcome::changed
                            : ::rename(written->constData(), target->constData()) == 0
                                ? Outcome::written
                                : Outcome::failed;
    if (outcome != Outcome::written) {
        ::unlink(written->constData());
        return outcome;
    }
    read_ = identity;
    return outcome;
}

std::optional<QByteArray> PreferenceFile::writeBeside(const QByteArray& target,
                                                      const QByteArray& bytes, Identity& identity) {
    QDir().mkpath(QFileInfo(QFile::decodeName(target)).absolutePath());
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.first(slash + 1) + newFileName(target.sliced(slash + 1));
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    // The file keeps its permissions; a new one is the user's alone.
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        ::fchmod(descriptor, existing.st_mode & 07777);
    }
    const bool complete = steps_.writeAll(descriptor, bytes) && ::fstat(descriptor, &existing) == 0;
    identity = identityOf(existing);
    if (::close(descriptor) != 0 || !complete) {
        ::unlink(name.constData());
        return std::nullopt;
    }
    return name;
}

void PreferenceFile::refuse() const {
    refused_ = true;
    if (onRefused_) {
        onRefused_();
    }
}
