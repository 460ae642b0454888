#include "Platform/ServiceManagement/LoginItemService.h"

#include "Platform/Foundation/RegularFile.h"
#include "Platform/ServiceManagement/DesktopEntryExec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

namespace {

QByteArray entryContents(const QStringList& command) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Pelmor\n"
                          "Comment=Live Wi-Fi and network diagnostics\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(desktopEntryExecValue(command))
        .toUtf8();
}

// The keys of an entry's [Desktop Entry] group, as written.
QHash<QString, QString> desktopEntryKeys(const QByteArray& contents) {
    QHash<QString, QString> keys;
    bool inGroup = false;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inGroup && equals > 0 && !line.startsWith(u'#')) {
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    return keys;
}

// The file a program named in an Exec value runs, behind any links: a bare
// name is looked up on PATH. Empty when there is none.
QString resolvedProgram(const QString& program) {
    const QString found =
        program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    return found.isEmpty() ? QString() : QFileInfo(found).canonicalFilePath();
}

// Whether a desktop starts an entry with these keys at login at all: an
// application, neither hidden nor disabled (booleans as GLib reads them).
bool startsAtLogin(const QHash<QString, QString>& keys) {
    const QString hidden = keys.value(QStringLiteral("Hidden"));
    const QString enabled = keys.value(QStringLiteral("X-GNOME-Autostart-enabled"));
    return keys.value(QStringLiteral("Type")) == QStringLiteral("Application") &&
           hidden != QStringLiteral("true") && hidden != QStringLiteral("1") &&
           enabled != QStringLiteral("false") && enabled != QStringLiteral("0");
}

// Whether an entry that holds `contents` starts `program` at login.
bool entryStarts(const QByteArray& contents, const QString& program) {
    const QHash<QString, QString> keys = desktopEntryKeys(contents);
    if (!startsAtLogin(keys)) {
        return false;
    }
    const std::optional<QStringList> arguments =
        desktopEntryExecArguments(keys.value(QStringLiteral("Exec")));
    if (!arguments || arguments->isEmpty()) {
        return false;
    }
    const QString target = resolvedProgram(arguments->first());
    return !target.isEmpty() && target == resolvedProgram(program);
}

// What is at a path itself, a link not followed.
enum class Occupant { nothing, regularFile, link, folder, other };

Occupant occupantAt(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT) {
            return Occupant::nothing;
        }
        throw LoginItemService::Error(
            QStringLiteral("%1 could not be looked at: %2").arg(path, qt_error_string(errno)));
    }
    if (S_ISREG(info.st_mode)) {
        return Occupant::regularFile;
    }
    if (S_ISLNK(info.st_mode)) {
        return Occupant::link;
    }
    return S_ISDIR(info.st_mode) ? Occupant::folder : Occupant::other;
}

LoginItemService::Error leftAlone(const QString& path) {
    return LoginItemService::Error(
        QStringLiteral("%1 is neither a file nor a link, and was left as it is.").arg(path));
}

// A new file beside `path`, in the same folder, holding `bytes` on disk.
// Its name does not end in .desktop, so no desktop reads it meanwhile.
QString writtenBeside(const QString& path, const QByteArray& bytes) {
    const QFileInfo entry(path);
    QByteArray temporary =
        QFile::encodeName(entry.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(entry.fileName())));
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        throw LoginItemService::Error(
            QStringLiteral("%1 could not be written: %2").arg(path, qt_error_string(errno)));
    }
    bool whole = ::fchmod(descriptor, 0644) == 0 && RegularFile::writeWhole(descriptor, bytes);
    int error = errno;
    if (::close(descriptor) != 0 && whole) {
        whole = false;
        error = errno;
    }
    if (!whole) {
        ::unlink(temporary.constData());
        throw LoginItemService::Error(
            QStringLiteral("%1 could not be written: %2").arg(path, qt_error_string(error)));
    }
    return QFile::decodeName(temporary);
}

bool openWithDesktop(const QUrl& url) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
}

} // namespace

LoginItemService::Error::Error(const QString& description)
    : std::runtime_error(description.toStdString()) {}

QString LoginItemService::defaultAutostartDirectory() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty()) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/autostart");
}

QStringList LoginItemService::defaultCommand() {
    return {QCoreApplication::applicationFilePath()};
}

LoginItemService::LoginItemService(QString autostartDirectory, QStringList command,
                                   std::function<bool(const QUrl&)> urlOpener)
    : autostartDirectory_(std::move(autostartDirectory)), command_(std::move(command)),
      urlOpener_(urlOpener ? std::move(urlOpener) : openWithDesktop) {}

QString LoginItemService::entryPath() const {
    return autostartDirectory_ + QStringLiteral("/pelmor.desktop");
}

LoginItemService::Status LoginItemService::status() const {
    // Read without waiting: whatever is there, a FIFO or a device is never opened.
    const RegularFile::Contents entry = RegularFile::read(entryPath());
    const bool startsThisApplication = entry.kind == RegularFile::Kind::regularFile &&
                                       !command_.isEmpty() &&
                                       entryStarts(entry.bytes, command_.first());
    return startsThisApplication ? Status::enabled : Status::notRegistered;
}

void LoginItemService::registerItem() {
    if (!QDir().mkpath(autostartDirectory_)) {
        throw Error(QStringLiteral("The folder %1 could not be created.").arg(autostartDirectory_));
    }
    const QString path = entryPath();
    // An empty folder in the entry's place, which starts nothing, makes way.
    // Anything else that is neither a file nor a link is never opened.
    const Occupant occupant = occupantAt(path);
    if (occupant == Occupant::folder && !QDir().rmdir(path)) {
        throw Error(QStringLiteral("%1 is a folder with something in it.").arg(path));
    }
    if (occupant == Occupant::other) {
        throw leftAlone(path);
    }
    // Renamed over the path itself: a link there is replaced, never its target.
    const QString temporary = writtenBeside(path, entryContents(command_));
    const auto discarded = [&temporary] { ::unlink(QFile::encodeName(temporary).constData()); };
    try {
        if (const Occupant now = occupantAt(path);
            now == Occupant::other || now == Occupant::folder) {
            throw leftAlone(path);
        }
    } catch (const Error&) {
        discarded();
        throw;
    }
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const int error = errno;
        discarded();
        throw Error(
            QStringLiteral("%1 could not be replaced: %2").arg(path, qt_error_string(error)));
    }
}

void LoginItemService::unregisterItem() {
    const QString path = entryPath();
    switch (occupantAt(path)) {
    case Occupant::nothing:
        return;
    case Occupant::regularFile:
    case Occupant::link:
        // A link itself goes, never what it leads to.
        if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
            throw Error(
                QStringLiteral("%1 could not be removed: %2").arg(path, qt_error_string(errno)));
        }
        return;
    case Occupant::folder:
    case Occupant::other:
        throw leftAlone(path);
    }
}

void LoginItemService::openLoginItemsSettings() const {
    urlOpener_(QUrl::fromLocalFile(autostartDirectory_));
}
