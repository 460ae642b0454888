#pragma once

#include <initializer_list>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QProcess;
class QTemporaryDir;

// What the end-to-end tests do in their X session: drive the pointer as a
// user would, keep screenshots, and prepare Pelmor's settings and environment.
namespace DesktopSession {

// Runs the event loop for `milliseconds` of real time.
void pumpFor(int milliseconds);

// Clicks `button` (1 the left, 3 the right) `clicks` times at `point` through
// the X server, the clicks of a double-click apart.
bool clickAt(QPoint point, int clicks = 1, int button = 1);

// Saves a picture, or the whole screen, under the build's test artefacts.
void saveArtefact(const QImage& image, const QString& name);
void saveScreenshot(const QString& name);

// Simulated Wi-Fi, the build's tool root, a loopback ping target and 0.5 s
// polling, with the settings kept in `configHome`.
bool preparePelmorEnvironment(const QTemporaryDir& configHome);

// Starts an XEmbed tray (trayer) along the top right of the screen.
void startTray(QProcess& tray);

// Where the tray shows the icon of the program whose windows have the class
// name `windowClass`: its smallest visible window.
std::optional<QRect> trayIconOf(const QString& windowClass);

// The visible top-level window titled exactly `title`, if there is one.
std::optional<unsigned long> visibleWindowTitled(const QString& title);

// Raises a window above the others and grabs what it shows.
QImage raiseAndGrab(unsigned long window);

// How many distinct colours a picture holds: a blank or unpainted window
// holds one or two.
int distinctColors(const QImage& image);

// Whether the programs a test drives are installed.
bool programsInstalled(std::initializer_list<const char*> programs);

} // namespace DesktopSession
