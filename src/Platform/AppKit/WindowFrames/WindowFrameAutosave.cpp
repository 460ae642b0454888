#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"

#include "Platform/AppKit/WindowFrames/FrameKeeping.h"
#include "Platform/AppKit/WindowFrames/LogicalSizeKeeping.h"
#include "Platform/AppKit/WindowFrames/MaximizedDirections.h"
#include "Platform/AppKit/WindowFrames/WindowStateFollower.h"
#include "Platform/AppKit/Xcb/ScreenPixels.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Platform/Foundation/PreferenceFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

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

// The frame saved under `name`, at a size the window can have; none when
// nothing is saved or the saved value is not a frame.
std::optional<QRect> savedFrame(const QWidget& window, const QString& name,
                                const PreferenceFile& settings) {
    const QVariant stored = settings.value(key(name));
    if (stored.typeId() != QMetaType::QRect || stored.toRect().isEmpty()) {
        return std::nullopt;
    }
    return storableFrame(window, stored.toRect());
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
// moved and shrunk into the screen area it overlaps most. It is placed by its
// client area, which lands exactly where the frame is known (a manager may
// take a framed window's corner for its client area); where `margins` is not
// yet known, a frame whose title bar must come down onto the screen is placed
// by its own corner instead, which the manager honours before it maps the
// window, so that the title bar lands on the screen. Returns where the client
// area is asked to be, when that is known.
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
    if (!margins.isNull() || held.top() <= frame.top()) {
        window.setGeometry(held.marginsRemoved(margins));
        return held.marginsRemoved(margins);
    }
    window.resize(held.size());
    window.move(held.topLeft());
    return std::nullopt;
}

// Watches one window, as its child, and carries out what its frame keeping
// decides: holds its frame to the screens each time Pelmor shows it (a screen
// may have gone since it was last placed), once more as soon as its frame is
// known, and saves its normal frame as it changes. A window the window
// manager restores from minimised is where the user left it. Only shows,
// hides, exposures, state changes, moves and resizes are looked at: the
// filter also sees the window's last events while it is destroyed.
class FrameKeeper final : public QObject {
public:
    // `saved`: the frame saved for the window, if any.
    FrameKeeper(QWidget& window, QString name, std::shared_ptr<PreferenceFile> settings,
                std::optional<QRect> saved)
        : QObject(&window), window_(window),
          keeping_(saved.value_or(window.geometry()), saved.has_value()), name_(std::move(name)),
          settings_(std::move(settings)),
          stateFollower_(window, [this] { managerStateChanged(); }) {
        for (const Timer timer : {Timer::settle, Timer::placement, Timer::fillAnswer}) {
            QTimer& owned = timers_[std::size_t(timer)];
            owned.setSingleShot(true);
            owned.setInterval(FrameKeeping::milliseconds(timer));
            connect(&owned, &QTimer::timeout, this, [this, timer] {
                // Still at another size than the one asked across scales:
                // asked again, and still once more before the frame counts.
                if (timer == Timer::settle && asksUnansweredSize()) {
                    timers_[std::size_t(timer)].start();
                    return;
                }
                feed({.kind = Event::Kind::timerFired, .timer = timer});
            });
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            windowEvent(*event);
        } else if (event->type() == QEvent::Expose &&
                   keeping_.phase() == FrameKeeping::Phase::placing &&
                   window_.windowHandle()->isExposed()) {
            const QMargins margins = window_.windowHandle()->frameMargins();
            if (!margins.isNull()) {
                lastSeenFrameMargins() = margins;
            }
            feed({.kind = Event::Kind::exposed, .margins = margins});
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using Event = FrameKeeping::Event;
    using Action = FrameKeeping::Action;
    using Timer = FrameKeeping::Timer;

    void windowEvent(const QEvent& event) {
        switch (event.type()) {
        case QEvent::Show:
            if (!event.spontaneous()) {
                logicalSize_.shown(window_.size(), window_.devicePixelRatioF(),
                                   window_.minimumSize(), window_.maximumSize());
                feed({.kind = Event::Kind::shown, .margins = frameMargins(window_)});
                watchExposure();
            }
            break;
        case QEvent::Hide:
            // A minimised window is hidden by the window manager, not closed.
            if (!event.spontaneous()) {
                feed({.kind = Event::Kind::hidden});
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // A size only a change of scale gave counts for nothing: the
            // window's frame counts once it is back at its size.
            if (!asksSizeAcrossScales()) {
                feed({.kind = Event::Kind::moved, .spontaneous = event.spontaneous()});
            }
            break;
        case QEvent::WindowStateChange:
            feed({.kind = Event::Kind::stateChanged});
            break;
        default:
            break;
        }
    }

    // Asks for the window's size in Qt's pixels again where it moved to a
    // screen of another scale at its device size; once the window system's
    // events of the move are through. Not while it is placed: Qt may have it
    // on another monitor for a moment while the manager frames it (openbox
    // reports it at the root's corner first), and the keeper holds it at its
    // frame meanwhile; its scale counts from where it is placed. Nor while
    // it is maximised or full screen: it keeps the size it had before, which
    // the manager gives back in device pixels (Qt may report that size at
    // the scale of the monitor the window filled, before it hears the
    // window left it). Nor where the manager says so and Qt has not heard
    // yet: xfwm4 gives the maximised size before Qt hears of the state.
    bool asksSizeAcrossScales() {
        if (keeping_.phase() == FrameKeeping::Phase::placing) {
            return false;
        }
        if (isInAnyState(window_) || MaximizedDirections::of(*window_.windowHandle())) {
            logicalSize_.filling(window_.size(), window_.devicePixelRatioF());
            return false;
        }
        const std::optional<QSize> size =
            logicalSize_.seen(window_.size(), window_.devicePixelRatioF());
        if (!size) {
            return false;
        }
        QTimer::singleShot(0, this, [this, size = *size] {
            if (window_.isVisible() && !isInAnyState(window_)) {
                window_.resize(size);
            }
        });
        return true;
    }

    // Not while a pointer button is held: a manager moving the window the
    // user drags drops the request (xfwm4) or gives the window its size of
    // before the drag again at the next step (openbox). Looked at again at
    // the pace of the settle timer until the drag is through.
    bool asksUnansweredSize() {
        const std::optional<QSize> size =
            logicalSize_.unanswered(window_.size(), window_.devicePixelRatioF());
        if (!size || !window_.isVisible() || isInAnyState(window_)) {
            return false;
        }
        xcb_connection_t* connection = XcbRequests::qtConnection();
        if (connection != nullptr && XcbRequests::isPointerButtonHeld(connection)) {
            return true;
        }
        logicalSize_.askedAgain();
        window_.resize(*size);
        return true;
    }

    static bool isInAnyState(const QWidget& window) {
        return (window.windowState() & ~Qt::WindowActive) != Qt::WindowNoState;
    }

    void managerStateChanged() {
        if (window_.isVisible()) {
            feed({.kind = Event::Kind::managerStateChanged,
                  .reported = MaximizedDirections::of(*window_.windowHandle())});
        }
    }

    // Tells the keeping what happened, with the window as Qt has it now, and
    // carries out its answer. What Qt or the keeper reports while an answer
    // is carried out (a state set sends its change at once) is told after
    // it, in order, so that each answer is carried out whole.
    void feed(Event event) {
        pending_.push_back(event);
        if (isFeeding_) {
            return;
        }
        isFeeding_ = true;
        while (!pending_.empty()) {
            handle(pending_.front());
            pending_.pop_front();
        }
        isFeeding_ = false;
    }

    void handle(Event event) {
        event.geometry = window_.geometry();
        event.states = window_.windowState();
        const bool wasPlacing = keeping_.phase() == FrameKeeping::Phase::placing;
        const std::vector<Action> actions = keeping_.handle(event);
        if (wasPlacing && keeping_.phase() != FrameKeeping::Phase::placing) {
            notePlacedSize();
        }
        for (const Action& action : actions) {
            perform(action);
        }
    }

    void perform(const Action& action) {
        switch (action.kind) {
        case Action::Kind::setGeometry:
            window_.setGeometry(*action.frame);
            break;
        case Action::Kind::setStates:
            window_.setWindowState(action.states);
            break;
        case Action::Kind::requestDirections:
            MaximizedDirections::request(*window_.windowHandle(), action.directions);
            break;
        case Action::Kind::hold:
            feed({.kind = Event::Kind::held,
                  .frame = holdFrame(window_, action.frame.value_or(window_.geometry()),
                                     action.margins)});
            break;
        case Action::Kind::readServer:
            feed({.kind = Event::Kind::serverAnswered,
                  .frame = serverGeometry(),
                  .reported = MaximizedDirections::of(*window_.windowHandle())});
            break;
        case Action::Kind::startTimer:
            timers_[std::size_t(action.timer)].start();
            break;
        case Action::Kind::stopTimer:
            timers_[std::size_t(action.timer)].stop();
            break;
        case Action::Kind::commit:
            commit(shownFrame(*action.frame));
            break;
        }
    }

    // Where the server shows the window; without an X server, where Qt has
    // it unless minimised.
    std::optional<QRect> serverGeometry() const {
        if (XcbRequests::qtConnection() == nullptr) {
            return window_.isMinimized() ? std::nullopt : std::optional(window_.geometry());
        }
        const std::optional<Shown> shown = shownByServer();
        return shown ? std::optional(shown->frame) : std::nullopt;
    }

    // Where the server shows the window, in Qt's pixels as Qt has it once it
    // hears of it, and the screen that shows it: the window's own screen may
    // be one it left, which Qt has not yet heard it left. None without an X
    // server or while the window is not shown.
    struct Shown {
        QRect frame;
        const QScreen* screen;
    };
    std::optional<Shown> shownByServer() const {
        xcb_connection_t* connection = XcbRequests::qtConnection();
        const std::optional<QRect> device =
            connection != nullptr
                ? XcbRequests::rootGeometry(connection, xcb_window_t(window_.winId()))
                : std::nullopt;
        if (!device) {
            return std::nullopt;
        }
        const QScreen* screen = ScreenPixels::screenShowing(*device);
        if (screen == nullptr) {
            screen = window_.windowHandle()->screen();
        }
        if (screen == nullptr) {
            return std::nullopt;
        }
        return Shown{ScreenPixels::toLogical(*device, *screen), screen};
    }

    // The frame to save: `frame`, or where Qt has the window at another scale
    // than that of the monitor that shows it (it may keep a frame it
    // converted on a monitor it had for a moment until the window next
    // moves, or convert one the manager gave while the window crossed to
    // another monitor at the scale of the one it left), the one the server
    // shows, in Qt's pixels on that monitor; Qt is asked, once per frame the
    // server shows, to have it there too.
    QRect shownFrame(QRect frame) {
        const std::optional<Shown> shown =
            window_.isVisible() && !isInAnyState(window_) ? shownByServer() : std::nullopt;
        if (!shown || (shown->screen == window_.windowHandle()->screen() &&
                       shown->frame.size() == window_.size())) {
            askedToAgree_.reset();
            return frame;
        }
        if (std::exchange(askedToAgree_, shown->frame) != shown->frame) {
            window_.setGeometry(shown->frame);
        }
        return shown->frame;
    }

    // The size the window is placed at, in Qt's pixels on the monitor that
    // shows it: Qt may not have heard yet that it left another.
    void notePlacedSize() {
        const std::optional<Shown> shown = shownByServer();
        if (shown) {
            logicalSize_.shown(shown->frame.size(), shown->screen->devicePixelRatio(),
                               window_.minimumSize(), window_.maximumSize());
        } else {
            logicalSize_.shown(window_.size(), window_.devicePixelRatioF(), window_.minimumSize(),
                               window_.maximumSize());
        }
    }

    void commit(QRect frame) {
        if (settings_) {
            settings_->setValue(key(name_), storableFrame(window_, frame));
        }
    }

    // The window (and with it its native window) exists once it is shown.
    void watchExposure() {
        if (!isWatchingExposure_ && window_.windowHandle() != nullptr) {
            window_.windowHandle()->installEventFilter(this);
            isWatchingExposure_ = true;
        }
    }

    QWidget& window_;
    FrameKeeping keeping_;
    LogicalSizeKeeping logicalSize_;
    bool isWatchingExposure_ = false;
    // Where the server showed the window when Qt was last asked to have it
    // there.
    std::optional<QRect> askedToAgree_;
    bool isFeeding_ = false;
    std::deque<Event> pending_;
    QString name_;
    std::shared_ptr<PreferenceFile> settings_;
    std::array<QTimer, 3> timers_;
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

// The saved frame is put as it is once any frame has been seen: the keeper
// holds it to the screens when the window is shown, in the coordinates of the
// screen it is shown on, once by the frame last seen and again by its own,
// each time from the saved frame.
void keep(QWidget& window, const QString& name, std::shared_ptr<PreferenceFile> settings) {
    const std::optional<QRect> saved =
        settings ? savedFrame(window, name, *settings) : std::nullopt;
    if (!saved) {
        centre(window);
    } else if (lastSeenFrameMargins().isNull()) {
        // No frame seen yet: one whose title bar must come onto a screen is
        // placed by its corner before the window exists, which the manager
        // honours.
        holdFrame(window, *saved, {});
    } else {
        window.setGeometry(*saved);
    }
    window.installEventFilter(new FrameKeeper(window, name, std::move(settings), saved));
}

} // namespace WindowFrameAutosave
