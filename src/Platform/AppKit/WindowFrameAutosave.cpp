#include "Platform/AppKit/WindowFrameAutosave.h"

#include "Platform/AppKit/MaximizedDirections.h"
#include "Platform/AppKit/WindowStateFollower.h"
#include "Platform/AppKit/XcbRequests.h"
#include "Platform/Foundation/PreferenceFile.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include <QDeadlineTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QTimer>
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

// The start of a span of `length` moved inside [first, last]; one longer than
// that starts at `first`, or ends at `last` where `keepsEnd`.
int keptInside(int start, int length, int first, int last, bool keepsEnd) {
    const int lastStart = last - length + 1;
    if (lastStart < first) {
        return keepsEnd ? lastStart : first;
    }
    return std::clamp(start, first, lastStart);
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
// Returns where the client area is asked to be, when that is known.
std::optional<QRect> holdFrame(QWidget& window, QRect client, QMargins margins) {
    const QRect frame = client.marginsAdded(margins);
    const QRect held =
        constrained(frame, availableScreenAreas(), window.minimumSize().grownBy(margins));
    if (held == frame) {
        if (client != window.geometry()) {
            window.setGeometry(client);
        }
        return client;
    }
    window.resize(held.marginsRemoved(margins).size());
    window.move(held.topLeft());
    if (margins.isNull()) {
        return std::nullopt;
    }
    return held.marginsRemoved(margins);
}

bool isInAnyState(const QWidget& window) {
    return (window.windowState() & ~Qt::WindowActive) != Qt::WindowNoState;
}

// How long a frame must stay unchanged before it counts as the window's: a
// window manager may report a maximised size before the state that explains it.
constexpr int settleMilliseconds = 250;
// How long, at most, a window Pelmor shows waits to be placed where it asked
// before it fills the screen again, and how often it looks meanwhile.
constexpr int placementMilliseconds = 1'000;
constexpr int placementCheckMilliseconds = 50;
// How long, at most, nothing is saved while a filling state asked for is
// not yet reported.
constexpr int fillAnswerMilliseconds = 2'000;

// Watches one window, as its child: holds its frame to the screens each time
// Pelmor shows it (a screen may have gone since it was last placed), once more
// as soon as its frame is known, and saves its normal frame as it changes. A
// window the window manager restores from minimised is where the user left it.
//
// The window manager answers in its own time and order, so the keeper holds
// the normal frame itself: a frame counts only once it and the manager's state
// have stayed unchanged for a moment, none seen between a request and its
// answer counts, and a window Pelmor shows filling the screen is first placed
// at its normal frame and goes back there when it first stops filling it.
// Only shows, hides, exposures, state changes, moves and resizes are looked
// at: the filter also sees the window's last events while it is destroyed.
class FrameKeeper final : public QObject {
public:
    FrameKeeper(QWidget& window, QString name, std::shared_ptr<PreferenceFile> settings)
        : QObject(&window), window_(window), normalFrame_(window.geometry()),
          name_(std::move(name)), settings_(std::move(settings)),
          stateFollower_(window, [this] { noteManagerState(); }) {
        settleTimer_.setSingleShot(true);
        settleTimer_.setInterval(settleMilliseconds);
        connect(&settleTimer_, &QTimer::timeout, this, &FrameKeeper::settle);
        placementTimer_.setSingleShot(true);
        placementTimer_.setInterval(placementCheckMilliseconds);
        connect(&placementTimer_, &QTimer::timeout, this, &FrameKeeper::checkPlacement);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            windowEvent(*event);
        } else if (event->type() == QEvent::Expose && isAwaitingFrame_ &&
                   window_.windowHandle()->isExposed()) {
            framed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void windowEvent(const QEvent& event) {
        switch (event.type()) {
        case QEvent::Show:
            if (!event.spontaneous()) {
                shownByPelmor();
            }
            break;
        case QEvent::Hide:
            // A minimised window is hidden by the window manager, not closed.
            if (!event.spontaneous()) {
                hidden();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (event.spontaneous() && !isInAnyState(window_)) {
                hasManagerPlacement_ = true;
            }
            [[fallthrough]];
        case QEvent::WindowStateChange:
            if (window_.isVisible()) {
                settleTimer_.start();
            }
            break;
        default:
            break;
        }
    }

    void shownByPelmor() {
        if (window_.windowState() & Qt::WindowMinimized) {
            return;
        }
        showNormalFirst();
        // A window placed by its frame's corner (centred, or held to the
        // screen before any frame was seen) has its client area where the
        // window manager puts it: only a known normal frame is asked for.
        const std::optional<QRect> held = holdOnScreen(
            frameMargins(window_), isNormalFrameKnown_ ? normalFrame_ : window_.geometry());
        askedFrame_ = isNormalFrameKnown_ ? held : std::nullopt;
        askedSize_ = window_.size();
        hasManagerPlacement_ = false;
        isAwaitingPlacement_ = true;
        watchExposure();
    }

    // A window shown maximised (in one direction or both) or full screen is
    // mapped at its normal frame and fills the screen again once placed: its
    // native window is made anew at each show, and the window manager takes
    // the frame it has when the state lands as the one to go back to.
    void showNormalFirst() {
        const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
        const Qt::WindowStates states = window_.windowState();
        fillingStates_ = states & filling;
        fillingDirections_ = fillingStates_ ? Qt::Orientations() : reported_.directions;
        // Mapped in none of them: the manager reports them again once asked.
        reported_ = {};
        if (!fillingStates_ && !fillingDirections_) {
            return;
        }
        window_.setWindowState(states & ~filling);
        if (isNormalFrameKnown_) {
            window_.setGeometry(normalFrame_);
        }
    }

    // The window manager has framed the window by its first exposure.
    void framed() {
        isAwaitingFrame_ = false;
        const QMargins margins = window_.windowHandle()->frameMargins();
        if (!margins.isNull()) {
            lastSeenFrameMargins() = margins;
        }
        // One resized since it was shown (a maximise that came before its
        // exposure reached Pelmor) is where the window manager put it.
        if (!margins.isNull() && window_.size() == askedSize_ && !reported_) {
            const std::optional<QRect> held =
                holdOnScreen(margins, askedFrame_.value_or(window_.geometry()));
            askedFrame_ = askedFrame_ ? held : std::nullopt;
        }
        placementChecks_ = 0;
        checkPlacement();
    }

    // Waits, within a bound, until the server has the window where Pelmor
    // asked, asking again while it is elsewhere at its asked size: a busy
    // window manager may place a window by its own rule first. One of another
    // size has been maximised, made full screen or otherwise changed since,
    // and is left where it is.
    void checkPlacement() {
        if (!isAwaitingPlacement_) {
            return;
        }
        const std::optional<QRect> placed = serverGeometry();
        const bool isElsewhere = askedFrame_ && placed && placed->size() == askedFrame_->size() &&
                                 placed->topLeft() != askedFrame_->topLeft() &&
                                 !isInAnyKnownState();
        // Exposed, yet not shown by the server: not placed yet either.
        const bool isUnshown = XcbRequests::qtConnection() != nullptr && !placed &&
                               !(window_.windowState() & Qt::WindowMinimized);
        if ((isElsewhere || isUnshown) &&
            ++placementChecks_ * placementCheckMilliseconds < placementMilliseconds) {
            if (isElsewhere && window_.geometry() != *askedFrame_) {
                window_.setGeometry(*askedFrame_);
            }
            placementTimer_.start();
            return;
        }
        isAwaitingPlacement_ = false;
        if (fillingStates_ || fillingDirections_) {
            fill();
            settleTimer_.start();
            return;
        }
        notePlacedFrame();
    }

    // Placed at the size asked and in no state: its frame is the window's
    // from the start, as the server has it (Qt may not have heard of it yet).
    // One minimised first has the frame the window manager last told Qt of,
    // if it told of any: the server has a minimised frame wherever the
    // manager parks or animates it. One in another state or of another size
    // is left to settle.
    void notePlacedFrame() {
        reported_ = MaximizedDirections::of(*window_.windowHandle());
        const bool isFilling =
            (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || reported_;
        const std::optional<QRect> shown =
            XcbRequests::qtConnection() != nullptr ? serverGeometry() : window_.geometry();
        if (!shown || (window_.windowState() & Qt::WindowMinimized)) {
            if (hasManagerPlacement_ && !isFilling && window_.size() == askedSize_) {
                commit(window_.geometry());
            }
            return;
        }
        if (!isFilling && shown->size() == askedSize_) {
            commit(*shown);
        } else {
            settleTimer_.start();
        }
    }

    std::optional<QRect> serverGeometry() const {
        xcb_connection_t* connection = XcbRequests::qtConnection();
        if (connection == nullptr) {
            return std::nullopt;
        }
        return XcbRequests::rootGeometry(connection, xcb_window_t(window_.winId()));
    }

    void fill() {
        window_.setWindowState(window_.windowState() | fillingStates_);
        MaximizedDirections::request(*window_.windowHandle(), fillingDirections_);
        fillingStates_ = {};
        fillingDirections_ = {};
        fillAnswerDeadline_.setRemainingTime(fillAnswerMilliseconds);
        isAwaitingFillAnswer_ = true;
        goesBackWhenUnfilled_ = true;
    }

    void noteManagerState() {
        if (!window_.isVisible()) {
            return;
        }
        reported_ = MaximizedDirections::of(*window_.windowHandle());
        settleTimer_.start();
    }

    // In a state by Qt's account or by the manager's, which Qt may not have
    // heard of yet.
    bool isInAnyKnownState() const { return isInAnyState(window_) || bool(reported_); }

    // The frame and the manager's state have been still for a moment.
    void settle() {
        if (!window_.isVisible() || isAwaitingPlacement_) {
            return;
        }
        const bool fills = isInAnyKnownState();
        if (isAwaitingFillAnswer_ && !fills && !fillAnswerDeadline_.hasExpired()) {
            QTimer::singleShot(fillAnswerDeadline_.remainingTime() + 1, this, &FrameKeeper::settle);
            return;
        }
        isAwaitingFillAnswer_ = false;
        if (fills) {
            return;
        }
        if (std::exchange(goesBackWhenUnfilled_, false) && window_.geometry() != normalFrame_) {
            window_.setGeometry(normalFrame_);
            return;
        }
        commit(window_.geometry());
    }

    void commit(QRect frame) {
        normalFrame_ = frame;
        isNormalFrameKnown_ = true;
        if (settings_) {
            settings_->setValue(key(name_), storableFrame(window_, frame));
        }
    }

    // A frame not yet settled counts when the window closes in no state.
    void hidden() {
        placementTimer_.stop();
        isAwaitingPlacement_ = false;
        isAwaitingFrame_ = false;
        if (settleTimer_.isActive()) {
            settleTimer_.stop();
            if (!isAwaitingFillAnswer_ && !goesBackWhenUnfilled_ && !isInAnyKnownState()) {
                commit(window_.geometry());
            }
        }
        isAwaitingFillAnswer_ = false;
        goesBackWhenUnfilled_ = false;
    }

    // A maximised, full-screen or minimised window is where the desktop put
    // it. Returns where the client area is asked to be, when that is known.
    std::optional<QRect> holdOnScreen(QMargins margins, QRect client) {
        if (isInAnyState(window_)) {
            return std::nullopt;
        }
        return holdFrame(window_, client, margins);
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
    bool isAwaitingPlacement_ = false;
    bool isAwaitingFillAnswer_ = false;
    bool goesBackWhenUnfilled_ = false;
    bool isNormalFrameKnown_ = false;
    // Whether the window manager has told Qt of the window's place since
    // Pelmor last showed it, while in no state.
    bool hasManagerPlacement_ = false;
    int placementChecks_ = 0;
    std::optional<QRect> askedFrame_;
    QSize askedSize_;
    QDeadlineTimer fillAnswerDeadline_;
    Qt::WindowStates fillingStates_;
    Qt::Orientations fillingDirections_;
    // As the window manager last reported while the window was shown.
    MaximizedDirections::Reported reported_;
    QRect normalFrame_;
    QString name_;
    std::shared_ptr<PreferenceFile> settings_;
    QTimer settleTimer_;
    QTimer placementTimer_;
    WindowStateFollower stateFollower_;
};

} // namespace

QRect constrained(QRect frame, const QList<QRect>& screenAreas, QSize minimumSize) {
    if (screenAreas.isEmpty()) {
        return frame;
    }
    // Areas are in Qt's logical pixels, each at its own screen's scale, as is a
    // frame on that screen: a frame is held to one area at a time.
    const auto fits = [minimumSize](QRect area) {
        return minimumSize.width() <= area.width() && minimumSize.height() <= area.height();
    };
    const QRect area = *std::max_element(
        screenAreas.begin(), screenAreas.end(), [frame, &fits](QRect left, QRect right) {
            return std::pair(fits(left), overlapArea(frame, left)) <
                   std::pair(fits(right), overlapArea(frame, right));
        });
    const int width =
        int(std::max(std::min(extent(frame.left(), frame.right()), std::int64_t(area.width())),
                     std::int64_t(minimumSize.width())));
    const int height =
        int(std::max(std::min(extent(frame.top(), frame.bottom()), std::int64_t(area.height())),
                     std::int64_t(minimumSize.height())));
    return {keptInside(frame.left(), width, area.left(), area.right(), true),
            keptInside(frame.top(), height, area.top(), area.bottom(), false), width, height};
}

QRect storableFrame(const QWidget& window, QRect frame) {
    frame.setSize(frame.size().expandedTo(window.minimumSize()).boundedTo(window.maximumSize()));
    return frame;
}

bool restore(QWidget& window, const QString& name, PreferenceFile& settings) {
    const QVariant stored = settings.value(key(name));
    if (stored.typeId() != QMetaType::QRect) {
        return false;
    }
    const QRect frame = stored.toRect();
    if (frame.isEmpty()) {
        return false;
    }
    holdFrame(window, storableFrame(window, frame), frameMargins(window));
    return true;
}

void save(const QWidget& window, const QString& name, PreferenceFile& settings) {
    settings.setValue(key(name), storableFrame(window, window.normalGeometry()));
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

void restoreOrCentre(QWidget& window, const QString& name, PreferenceFile* settings) {
    if (settings == nullptr || !restore(window, name, *settings)) {
        centre(window);
    }
}

void keep(QWidget& window, const QString& name, std::shared_ptr<PreferenceFile> settings) {
    window.installEventFilter(new FrameKeeper(window, name, std::move(settings)));
}

} // namespace WindowFrameAutosave
