#include "Platform/AppKit/WindowFrameAutosave.h"

#include <algorithm>
#include <cstdint>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace WindowFrameAutosave {

namespace {

QString key(const QString& name) {
    return QStringLiteral("WindowFrames/") + name;
}

// Extents in 64 bits: a stored frame may reach past the int range.
std::int64_t extent(int first, int last) {
    return std::int64_t(last) - first + 1;
}

std::int64_t overlapArea(QRect frame, QRect area) {
    const QRect overlap = area.intersected(frame);
    return overlap.isEmpty()
               ? 0
               : extent(overlap.left(), overlap.right()) * extent(overlap.top(), overlap.bottom());
}

// The start of a span of `length` moved inside [first, last].
int keptInside(int start, int length, int first, int last) {
    return std::clamp(start, first, std::max(first, last - length + 1));
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    // The primary screen first: the one a frame off every screen goes to.
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        areas.append(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            areas.append(screen->availableGeometry());
        }
    }
    return areas;
}

// Watches one window, as its child: holds it to the screens each time it is
// shown (a screen may have gone since it was last placed) and saves its frame
// as it changes. Only shows, moves and resizes are looked at: the filter also
// sees the window's last events while it is destroyed.
class FrameKeeper final : public QObject {
public:
    FrameKeeper(QWidget& window, QString name, std::shared_ptr<QSettings> settings)
        : QObject(&window), name_(std::move(name)), settings_(std::move(settings)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            holdOnScreen(*static_cast<QWidget*>(watched));
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            const auto* window = static_cast<const QWidget*>(watched);
            if (window->isVisible() && settings_) {
                save(*window, name_, *settings_);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // A maximised, full-screen or minimised window is where the desktop put it.
    static void holdOnScreen(QWidget& window) {
        if ((window.windowState() & ~Qt::WindowActive) != Qt::WindowNoState) {
            return;
        }
        const QRect held = constrained(window.geometry(), availableScreenAreas());
        if (held != window.geometry()) {
            window.setGeometry(held);
        }
    }

    QString name_;
    std::shared_ptr<QSettings> settings_;
};

} // namespace

QRect constrained(QRect frame, const QList<QRect>& screenAreas) {
    if (screenAreas.isEmpty()) {
        return frame;
    }
    const QRect area =
        *std::max_element(screenAreas.begin(), screenAreas.end(), [frame](QRect left, QRect right) {
            return overlapArea(frame, left) < overlapArea(frame, right);
        });
    const int width =
        int(std::min(extent(frame.left(), frame.right()), std::int64_t(area.width())));
    const int height =
        int(std::min(extent(frame.top(), frame.bottom()), std::int64_t(area.height())));
    return {keptInside(frame.left(), width, area.left(), area.right()),
            keptInside(frame.top(), height, area.top(), area.bottom()), width, height};
}

bool restore(QWidget& window, const QString& name, QSettings& settings) {
    const QVariant stored = settings.value(key(name));
    if (stored.typeId() != QMetaType::QRect) {
        return false;
    }
    const QRect frame = stored.toRect();
    if (frame.isEmpty()) {
        return false;
    }
    window.setGeometry(constrained(frame, availableScreenAreas()));
    return true;
}

void save(const QWidget& window, const QString& name, QSettings& settings) {
    settings.setValue(key(name), window.normalGeometry());
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

void restoreOrCentre(QWidget& window, const QString& name, QSettings* settings) {
    if (settings == nullptr || !restore(window, name, *settings)) {
        centre(window);
    }
}

void keep(QWidget& window, const QString& name, std::shared_ptr<QSettings> settings) {
    window.installEventFilter(new FrameKeeper(window, name, std::move(settings)));
}

} // namespace WindowFrameAutosave
