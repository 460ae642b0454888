#include "Platform/AppKit/WindowFrameAutosave.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace WindowFrameAutosave {

namespace {
// At least this much of a restored frame must show on a screen.
constexpr int visibleEdge = 40;

QString key(const QString& name) {
    return QStringLiteral("WindowFrames/") + name;
}
} // namespace

bool isOnSomeScreen(QRect frame) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(frame);
        if (overlap.width() >= visibleEdge && overlap.height() >= visibleEdge) {
            return true;
        }
    }
    return false;
}

bool restore(QWidget& window, const QString& name, QSettings& settings) {
    const QRect frame = settings.value(key(name)).toRect();
    if (!frame.isValid() || !isOnSomeScreen(frame)) {
        return false;
    }
    window.setGeometry(frame);
    return true;
}

void save(const QWidget& window, const QString& name, QSettings& settings) {
    settings.setValue(key(name), window.geometry());
}

void centre(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.geometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace WindowFrameAutosave
