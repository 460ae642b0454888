#include "EndToEnd/DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace DesktopSession {

namespace {

QString xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(5'000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

void pumpFor(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
}

bool clickAt(QPoint point, int clicks, int button) {
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
                QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
                QStringLiteral("--delay"), QStringLiteral("80"), QString::number(button)}) == 0;
}

void saveArtefact(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(PELMOR_ARTEFACT_DIR);
    QDir().mkpath(folder);
    image.save(folder + QLatin1Char('/') + name);
}

void saveScreenshot(const QString& name) {
    saveArtefact(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), name);
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

void startTray(QProcess& tray) {
    tray.start(QStringLiteral("trayer"), {"--edge", "top", "--align", "right", "--widthtype",
                                          "pixel", "--width", "200", "--height", "24"});
}

std::optional<QRect> trayIconOf(const QString& windowClass) {
    std::optional<QRect> smallest;
    const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--classname"), windowClass});
    for (const QString& window : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QRect shape;
        for (const QString& line :
             xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
                 .split(QLatin1Char('\n'))) {
            const int value = line.section(QLatin1Char('='), 1).toInt();
            if (line.startsWith(QLatin1String("X="))) {
                shape.moveLeft(value);
            } else if (line.startsWith(QLatin1String("Y="))) {
                shape.moveTop(value);
            } else if (line.startsWith(QLatin1String("WIDTH="))) {
                shape.setWidth(value);
            } else if (line.startsWith(QLatin1String("HEIGHT="))) {
                shape.setHeight(value);
            }
        }
        if (!shape.isEmpty() && (!smallest || shape.width() < smallest->width())) {
            smallest = shape;
        }
    }
    return smallest;
}

std::optional<unsigned long> visibleWindowTitled(const QString& title) {
    const QString found = xdotool(
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
         QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
    bool isNumber = false;
    const unsigned long window = found.section(QLatin1Char('\n'), 0, 0).toULong(&isNumber);
    return isNumber ? std::optional<unsigned long>(window) : std::nullopt;
}

QImage raiseAndGrab(unsigned long window) {
    xdotool({QStringLiteral("windowraise"), QString::number(window)});
    pumpFor(500);
    return QGuiApplication::primaryScreen()->grabWindow(window).toImage();
}

int distinctColors(const QImage& image) {
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colors.insert(image.pixel(x, y));
        }
    }
    return int(colors.size());
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
