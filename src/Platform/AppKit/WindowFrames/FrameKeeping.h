#pragma once

#include "Platform/AppKit/WindowFrames/MaximizedDirections.h"

#include <optional>
#include <vector>

#include <QMargins>
#include <QRect>

// What a kept window's frame keeper does, as a state machine with no window
// of its own: it is told what Qt and the window manager did to the window and
// answers with what to do to it, so that every order a manager answers in
// can be played through it.
//
// The keeper holds the normal frame itself: a window Pelmor shows is placed
// at its normal frame and waits (within a bound) until the server has it
// there; one shown filling the screen fills it again only then, because the
// manager takes the frame a window has when the state lands as the one to go
// back to. A frame counts once it and the manager's state have stayed still
// for a moment, and only one in no state: none the manager shows while
// placing counts (one Pelmor itself moves the window to does). A
// window that stops filling the screen goes back to its normal frame only
// where the manager left it at the size it had while filling; anywhere else
// (the user dragged it out at its normal size) it stays, and that frame
// counts.
class FrameKeeping {
public:
    enum class Phase {
        // Not shown by Pelmor (not yet, or closed).
        hidden,
        // Shown by Pelmor, waiting to be framed and placed where asked.
        placing,
        // Shown, in no filling state (it may be minimised).
        normal,
        // Shown, maximised in a direction or full screen, or asked to be.
        filling,
    };

    enum class Timer {
        // Restarted on each change: fires once the frame has been still.
        settle,
        // Each look at the server while placing.
        placement,
        // The bound on a filling state asked for and not yet reported.
        fillAnswer,
    };

    // How long a frame must stay unchanged before it counts as the window's:
    // a window manager may report a maximised size before the state that
    // explains it.
    static constexpr int settleMilliseconds = 250;
    // How long, at most, a window Pelmor shows waits to be placed where it
    // asked, and how often it looks meanwhile.
    static constexpr int placementMilliseconds = 1'000;
    static constexpr int placementCheckMilliseconds = 50;
    // How long, at most, a window first exposed before the manager has set
    // its frame's extents (fluxbox) waits for them before it is placed.
    static constexpr int frameExtentsMilliseconds = 250;
    // How long, at most, nothing counts while a filling state asked for is
    // not yet reported.
    static constexpr int fillAnswerMilliseconds = 2'000;

    static int milliseconds(Timer timer);

    struct Event {
        enum class Kind {
            // Pelmor showed the window (`margins`: its frame's, or the last
            // seen on any window; none before any was seen).
            shown,
            // The frame asked for by a `hold` is `frame`, when that is known.
            held,
            // First exposed, framed by `margins`.
            exposed,
            // The server has the window at `frame` (none while unmapped or
            // minimised) and the manager holds `reported`.
            serverAnswered,
            // Qt heard of a move or resize, from the manager when
            // `spontaneous`.
            moved,
            // Qt's window state changed.
            stateChanged,
            // The manager's _NET_WM_STATE changed to `reported`.
            managerStateChanged,
            timerFired,
            // Pelmor closed the window.
            hidden,
        };
        Kind kind;
        // The window as Qt has it now: client area and states.
        QRect geometry{};
        Qt::WindowStates states{};
        QMargins margins{};
        std::optional<QRect> frame{};
        MaximizedDirections::Reported reported{};
        bool spontaneous = false;
        Timer timer = Timer::settle;
    };

    struct Action {
        enum class Kind {
            setGeometry,
            setStates,
            requestDirections,
            // Puts the client area at `frame` (where it is, when none) with
            // its frame (`margins` around it) held to the screens; answered
            // by a `held` event.
            hold,
            // Answered by a `serverAnswered` event.
            readServer,
            startTimer,
            stopTimer,
            // Saves `frame` as the window's normal frame.
            commit,
        };
        Kind kind;
        std::optional<QRect> frame{};
        QMargins margins{};
        Qt::WindowStates states{};
        Qt::Orientations directions{};
        Timer timer = Timer::settle;

        bool operator==(const Action&) const = default;
    };

    // `frame`: the window's client area before it is first shown, its
    // normal frame until one counts; asked for at the first show, as a
    // counted one is at every show, where it `isSaved`.
    explicit FrameKeeping(QRect frame, bool isSaved = false);

    // The one transition: what `event` does to the keeper, and what is to
    // be done to the window, in order.
    std::vector<Action> handle(const Event& event);

    Phase phase() const { return phase_; }

private:
    enum class Holding { none, shown, exposed };

    void shown(const Event& event, std::vector<Action>& actions);
    void held(const Event& event, std::vector<Action>& actions);
    void exposed(const Event& event, std::vector<Action>& actions);
    bool isFramedAtItsSize(const Event& event) const;
    bool canHoldByFrame(const Event& event) const;
    void holdByFrame(const Event& event, std::vector<Action>& actions);
    void placementAnswered(const Event& event, std::vector<Action>& actions);
    void placed(const Event& event, std::vector<Action>& actions);
    void settled(const Event& event, std::vector<Action>& actions);
    void closed(const Event& event, std::vector<Action>& actions);
    void changed(const Event& event, std::vector<Action>& actions);
    void noteFillingSize(const Event& event);
    bool isFilling(Qt::WindowStates states) const;
    bool isInAnyState(Qt::WindowStates states) const;
    bool goesBack(QRect geometry) const;
    void start(Timer timer, std::vector<Action>& actions);
    void stop(Timer timer, std::vector<Action>& actions);
    bool isRunning(Timer timer) const;
    // The one place a frame counts.
    void commit(QRect frame, std::vector<Action>& actions);

    Phase phase_ = Phase::hidden;
    QRect normalFrame_;
    bool isNormalFrameKnown_ = false;
    // Placing: awaiting the first exposure, the answer to a hold, and the
    // manager's own placement since the show (in no state).
    bool isAwaitingExposure_ = false;
    // Exposed before its frame's extents were known.
    bool isAwaitingMargins_ = false;
    Holding holding_ = Holding::none;
    // The frame the last hold went by.
    QMargins heldMargins_;
    bool hasManagerPlacement_ = false;
    // Moved by Pelmor itself (not by the keeper) since the show.
    bool isMovedByPelmor_ = false;
    int placementChecks_ = 0;
    // Where the server had the window when the keeper last asked for its
    // frame again while placing.
    std::optional<QRect> serverAtAsk_;
    // Where the show put it, and the frame asked for when that is known.
    QRect heldFrame_;
    std::optional<QRect> askedFrame_;
    QSize askedSize_;
    // The filling states to take again once placed; kept when the window is
    // closed before then.
    Qt::WindowStates fillingStates_;
    Qt::Orientations fillingDirections_;
    bool isAwaitingFillAnswer_ = false;
    // The last size seen while filling, other than the normal one.
    std::optional<QSize> fillingSize_;
    // As the manager last reported while the window was shown.
    MaximizedDirections::Reported reported_;
    unsigned runningTimers_ = 0;
};
