#include "Platform/ServiceManagement/LoginItemService.h"

#include "Platform/ServiceManagement/DesktopEntryExec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

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
    return QFileInfo::exists(entryPath()) ? Status::enabled : Status::notRegistered;
}

void LoginItemService::registerItem() {
    if (!QDir().mkpath(autostartDirectory_)) {
        throw Error(QStringLiteral("The folder %1 could not be created.").arg(autostartDirectory_));
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
