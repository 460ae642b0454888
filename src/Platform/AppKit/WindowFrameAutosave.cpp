#include "Platform/AppKit/WindowFrameAutosave.h"

#include "Platform/AppKit/MaximizedDirections.h"

#include <algorithm>
#include <cstdint>

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>

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

// The frame the window manager draws around the client area, as last seen on
// any window of this application: none until the first is framed.
QMargins& lastSeenFrameMargins() {
    static QMargins margins;
    return margins;
}

// The window's own frame, while it has one or once had one, else the last
// seen on another window.
QMargins frameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins own(client.left() - frame.left(), client.top() - frame.top(),
                       frame.right() - client.right(), frame.bottom() - client.bottom());
    return own.isNull() ? lastSeenFrameMargins() : own;
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

// Puts the window's client area at `client`, its frame (`margins` around it)
// moved and shrunk into the screen area it overlaps most. A frame that has to
// move is placed by its own corner, which the window manager honours even
// where `margins` is not yet known, so that the title bar lands on the screen.
void holdFrame(QWidget& window, QRect client, QMargins margins) {
    const QRect frame = client.marginsAdded(margins);
    const QRect held = constrained(frame, availableScreenAreas());
    if (held == frame) {
        if (client != window.geometry()) {
            window.setGeometry(client);
        }
        return;
    }
    window.resize(held.marginsRemoved(margins).size());
    window.move(held.topLeft());
}

// Watches one window, as its child: holds its frame to the screens each time
// Pelmor shows it (a screen may have gone since it was last placed), once more
// as soon as its frame is known, and saves its normal frame as it changes. A
// window the window manager restores from minimised is where the user left it.
// Only shows, exposures, moves and resizes are looked at: the filter also sees
// the window's last events while it is destroyed.
class FrameKeeper final : public QObject {
public:
    FrameKeeper(QWidget& window, QString name, std::shared_ptr<QSettings> settings)
        : QObject(&window), window_(window), normalFrame_(window.geometry()),
          name_(std::move(name)), settings_(std::move(settings)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == &window_ && !event->spontaneous()) {
            showNormalFirst();
            holdOnScreen(frameMargins(window_));
            watchExposure();
        } else if (event->type() == QEvent::Expose && isAwaitingFrame_ &&
                   window_.windowHandle()->isExposed()) {
            isAwaitingFrame_ = false;
            // The window manager has framed the window by its first exposure.
            const QMargins margins = window_.windowHandle()->frameMargins();
            if (!margins.isNull()) {
                lastSeenFrameMargins() = margins;
                holdOnScreen(margins);
            }
            window_.setWindowState(window_.windowState() | fillingStates_);
            MaximizedDirections::request(*window_.windowHandle(), fillingDirections_);
            fillingStates_ = {};
            fillingDirections_ = {};
        } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                   watched == &window_ && window_.isVisible()) {
            noteFrame();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Only a window in no state has its normal frame: a maximised or
    // full-screen one has the window manager's, and Qt takes a window
    // maximised in one direction only for one in no state, which only the X
    // server tells apart: it is asked only then.
    void noteFrame() {
        if ((window_.windowState() & ~Qt::WindowActive) != Qt::WindowNoState) {
            return;
        }
        maximizedDirections_ = MaximizedDirections::of(*window_.windowHandle());
        if (maximizedDirections_) {
            return;
        }
        normalFrame_ = window_.geometry();
        if (settings_) {
            save(window_, name_, *settings_);
        }
    }

    // A window shown maximised (in one direction or both) or full screen is
    // mapped at its normal frame and fills the screen again once framed: its
    // native window is made anew at each show, and the window manager takes
    // the frame it is mapped with as the one that un-maximising goes back to.
    void showNormalFirst() {
        const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
        const Qt::WindowStates states = window_.windowState();
        if (states & Qt::WindowMinimized) {
            return;
        }
        fillingStates_ = states & filling;
        fillingDirections_ = fillingStates_ ? Qt::Orientations() : maximizedDirections_;
        if (!fillingStates_ && !fillingDirections_) {
            return;
        }
        window_.setWindowState(states & ~filling);
        window_.setGeometry(normalFrame_);
    }

    // A maximised, full-screen or minimised window is where the desktop put it.
    void holdOnScreen(QMargins margins) {
        if ((window_.windowState() & ~Qt::WindowActive) != Qt::WindowNoState) {
            return;
        }
        holdFrame(window_, window_.geometry(), margins);
    }

    // The window (and with it its native window) exists once it is shown.
    void watchExposure() {
        isAwaitingFrame_ = true;
        if (!isWatchingExposure_ && window_.windowHandle() != nullptr) {
            window_.windowHandle()->installEventFilter(this);
            isWatchingExposure_ = true;
        }
    }

    QWidget& window_;
    bool isWatchingExposure_ = false;
    bool isAwaitingFrame_ = false;
    Qt::WindowStates fillingStates_;
    Qt::Orientations fillingDirections_;
    // As last seen while the window was shown.
    Qt::Orientations maximizedDirections_;
    QRect normalFrame_;
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
    holdFrame(window, frame, frameMargins(window));
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
