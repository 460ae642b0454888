#pragma once

#include <initializer_list>

#include <QPoint>
#include <QRect>
#include <QString>

class QTemporaryDir;

// What the end-to-end tests do in their X session: drive the pointer as a
// user would, keep screenshots, and prepare Pelmor's settings and environment.
namespace DesktopSession {

// Runs the event loop for `milliseconds` of real time.
void pumpFor(int milliseconds);

// Clicks the left button `clicks` times at `point` through the X server, the
// clicks of a double-click apart.
bool clickAt(QPoint point, int clicks = 1);

// Saves the whole screen under the build's test artefacts.
void saveScreenshot(const QString& name);

// Simulated Wi-Fi, the build's tool root, a loopback ping target and 0.5 s
// polling, with the settings kept in `configHome`.
bool preparePelmorEnvironment(const QTemporaryDir& configHome);

// Whether the programs a test drives are installed.
bool programsInstalled(std::initializer_list<const char*> programs);

} // namespace DesktopSession
