#include "EndToEnd/DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace DesktopSession {

void pumpFor(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
}

bool clickAt(QPoint point, int clicks) {
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
                QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
                QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")}) == 0;
}

void saveScreenshot(const QString& name) {
    const QString folder = QStringLiteral(PELMOR_ARTEFACT_DIR);
    QDir().mkpath(folder);
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name);
}

bool preparePelmorEnvironment(const QTemporaryDir& configHome) {
    QDir(configHome.path()).mkpath(QStringLiteral("pelmor"));
    QFile settings(configHome.filePath(QStringLiteral("pelmor/pelmor.conf")));
    if (!settings.open(QIODevice::WriteOnly)) {
        return false;
    }
    settings.write("[General]\nbatteryFriendly=false\ninternetPingTarget=127.0.0.1\n");
    settings.close();
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("PELMOR_WLAN_BACKEND", "simulated");
    qputenv("PELMOR_TOOL_ROOT", PELMOR_TOOL_ROOT);
    return true;
}

bool programsInstalled(std::initializer_list<const char*> programs) {
    for (const char* program : programs) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
            return false;
        }
    }
    return true;
}

} // namespace DesktopSession
