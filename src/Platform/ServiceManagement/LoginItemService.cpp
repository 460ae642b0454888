#include "Platform/ServiceManagement/LoginItemService.h"

#include "Platform/Foundation/RegularFile.h"
#include "Platform/ServiceManagement/DesktopEntryExec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSaveFile>
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
    // An empty folder in the entry's place, which starts nothing, makes way;
    // one with something in it is an error below.
    if (const QFileInfo existing(entryPath()); existing.isDir() && !existing.isSymLink()) {
        QDir().rmdir(entryPath());
    }
    QSaveFile entry(entryPath());
    if (!entry.open(QIODevice::WriteOnly)) {
        throw Error(entry.errorString());
    }
    entry.write(entryContents(command_));
    if (!entry.commit()) {
        throw Error(entry.errorString());
    }
}

void LoginItemService::unregisterItem() {
    QFile entry(entryPath());
    if (entry.exists() && !entry.remove()) {
        throw Error(entry.errorString());
    }
}

void LoginItemService::openLoginItemsSettings() const {
    urlOpener_(QUrl::fromLocalFile(autostartDirectory_));
}
