#include "Platform/AppKit/WindowFrames/FrameKeeping.h"

#include <utility>

namespace {

constexpr Qt::WindowStates fillingStates = Qt::WindowMaximized | Qt::WindowFullScreen;

unsigned bit(FrameKeeping::Timer timer) {
    return 1U << unsigned(timer);
}

} // namespace

int FrameKeeping::milliseconds(Timer timer) {
    switch (timer) {
    case Timer::settle:
        return settleMilliseconds;
    case Timer::placement:
        return placementCheckMilliseconds;
    case Timer::fillAnswer:
        return fillAnswerMilliseconds;
    }
    return settleMilliseconds;
}

FrameKeeping::FrameKeeping(QRect frame, bool isSaved)
    : normalFrame_(frame), isNormalFrameKnown_(isSaved) {}

std::vector<FrameKeeping::Action> FrameKeeping::handle(const Event& event) {
    std::vector<Action> actions;
    const bool isShown = phase_ != Phase::hidden;
    switch (event.kind) {
    case Event::Kind::shown:
        shown(event, actions);
        break;
    case Event::Kind::held:
        held(event, actions);
        break;
    case Event::Kind::exposed:
        // A manager may set the frame's extents only after the first
        // exposure: the first one that tells them holds the window by them.
        if (phase_ == Phase::placing &&
            (isAwaitingExposure_ || (isAwaitingMargins_ && !event.margins.isNull()))) {
            exposed(event, actions);
        } else if (phase_ == Phase::placing && holding_ == Holding::none && !isMovedByPelmor_ &&
                   event.margins != heldMargins_ && canHoldByFrame(event)) {
            // Framed otherwise than it was held by: a busy manager that moves
            // its client inside a new frame (fluxbox) shows Qt a frame in
            // between. Held again by the latest, within the same bound.
            holdByFrame(event, actions);
        }
        break;
    case Event::Kind::serverAnswered:
        if (phase_ == Phase::placing && !isAwaitingExposure_) {
            placementAnswered(event, actions);
        }
        break;
    case Event::Kind::moved:
        if (event.spontaneous && (event.states & ~Qt::WindowActive) == Qt::WindowNoState) {
            hasManagerPlacement_ = true;
        }
        // Not by the keeper, which moves it only while holding or to the
        // frame it asked for.
        if (phase_ == Phase::placing && !event.spontaneous && holding_ == Holding::none &&
            event.geometry != askedFrame_.value_or(heldFrame_)) {
            isMovedByPelmor_ = true;
        }
        [[fallthrough]];
    case Event::Kind::stateChanged:
    case Event::Kind::managerStateChanged:
        if (isShown) {
            if (event.kind == Event::Kind::managerStateChanged) {
                reported_ = event.reported;
            }
            changed(event, actions);
        }
        break;
    case Event::Kind::timerFired:
        runningTimers_ &= ~bit(event.timer);
        if (event.timer == Timer::placement && phase_ == Phase::placing) {
            // Exposed before its frame's extents were known: they come within
            // a bound, else it is placed without them.
            if (isAwaitingMargins_ &&
                ++placementChecks_ * placementCheckMilliseconds < frameExtentsMilliseconds) {
                start(Timer::placement, actions);
            } else {
                // The bound on placing counts from the end of that wait.
                if (std::exchange(isAwaitingMargins_, false)) {
                    placementChecks_ = 0;
                }
                actions.push_back({.kind = Action::Kind::readServer});
            }
        } else if (event.timer == Timer::fillAnswer) {
            isAwaitingFillAnswer_ = false;
            settled(event, actions);
        } else if (event.timer == Timer::settle) {
            settled(event, actions);
        }
        break;
    case Event::Kind::hidden:
        closed(event, actions);
        break;
    }
    return actions;
}

// A window shown filling the screen is mapped at its normal frame and fills
// it again once placed: its native window is made anew at each show, and the
// manager takes the frame it has when the state lands as the one to go back
// to. A window placed by its frame's corner (centred, or held to the screen
// before any frame was seen) has its client area where the manager puts it:
// only a known normal frame is asked for.
void FrameKeeping::shown(const Event& event, std::vector<Action>& actions) {
    if (event.states & Qt::WindowMinimized) {
        phase_ = Phase::normal;
        return;
    }
    const Qt::WindowStates filling = event.states & fillingStates;
    if (filling) {
        fillingStates_ = filling;
        fillingDirections_ = {};
        actions.push_back({.kind = Action::Kind::setStates, .states = event.states & ~filling});
    } else if (!fillingStates_ && !fillingDirections_) {
        fillingDirections_ = reported_.directions;
    }
    // Mapped in none of them: the manager reports them again once asked.
    reported_ = {};
    fillingSize_.reset();
    hasManagerPlacement_ = false;
    isMovedByPelmor_ = false;
    isAwaitingExposure_ = true;
    isAwaitingMargins_ = false;
    placementChecks_ = 0;
    serverAtAsk_.reset();
    phase_ = Phase::placing;
    holding_ = Holding::shown;
    heldMargins_ = event.margins;
    actions.push_back({.kind = Action::Kind::hold,
                       .frame = isNormalFrameKnown_ ? std::optional(normalFrame_) : std::nullopt,
                       .margins = event.margins});
}

void FrameKeeping::held(const Event& event, std::vector<Action>& actions) {
    const Holding holding = std::exchange(holding_, Holding::none);
    if (holding == Holding::shown) {
        askedFrame_ = isNormalFrameKnown_ ? event.frame : std::nullopt;
        askedSize_ = event.geometry.size();
        heldFrame_ = event.geometry;
    } else if (holding == Holding::exposed) {
        askedFrame_ = isNormalFrameKnown_ ? event.frame : std::nullopt;
        // Held by its real frame, it may be smaller than shown.
        askedSize_ = event.geometry.size();
        actions.push_back({.kind = Action::Kind::readServer});
    }
}

// Framed by its first exposure: held again by its real frame, from its normal
// frame where that is known (the frame it was first held by may have been
// another window's, or none), unless the manager has resized it since it was
// shown (a maximise that came before the exposure reached Pelmor): it is
// where the manager put it.
void FrameKeeping::exposed(const Event& event, std::vector<Action>& actions) {
    const bool isFirst = std::exchange(isAwaitingExposure_, false);
    placementChecks_ = 0;
    isAwaitingMargins_ = isFirst && event.margins.isNull();
    if (isAwaitingMargins_) {
        start(Timer::placement, actions);
        return;
    }
    if (canHoldByFrame(event)) {
        holdByFrame(event, actions);
        return;
    }
    if (isFramedAtItsSize(event)) {
        askedFrame_.reset(); // In a state already.
    }
    actions.push_back({.kind = Action::Kind::readServer});
}

bool FrameKeeping::isFramedAtItsSize(const Event& event) const {
    return !event.margins.isNull() && event.geometry.size() == askedSize_ && !reported_;
}

bool FrameKeeping::canHoldByFrame(const Event& event) const {
    return isFramedAtItsSize(event) && (event.states & ~Qt::WindowActive) == Qt::WindowNoState;
}

void FrameKeeping::holdByFrame(const Event& event, std::vector<Action>& actions) {
    holding_ = Holding::exposed;
    heldMargins_ = event.margins;
    actions.push_back({.kind = Action::Kind::hold,
                       .frame = isNormalFrameKnown_ ? std::optional(normalFrame_) : std::nullopt,
                       .margins = event.margins});
}

// Waits, within a bound, until the server shows the window where Pelmor
// asked (where the manager placed it, at its size, where Pelmor asked no
// place), asking again where it is elsewhere or of another size in no state:
// a busy manager may place a window by its own rule first, and one may apply
// the size limits Qt gave it while Qt had it on a monitor of another scale
// for a moment. Asked again only where the server's frame changed since the
// last ask: a request not yet answered is not sent on top of itself, and a
// manager that answered with a frame of its own (a tile, a fit to a monitor)
// keeps it, taken once the bound ends. One in a state has been maximised or
// made full screen since, and is left as it is.
void FrameKeeping::placementAnswered(const Event& event, std::vector<Action>& actions) {
    reported_ = event.reported;
    const std::optional<QRect> asked =
        askedFrame_ || !event.frame ? askedFrame_
                                    : std::optional(QRect(event.frame->topLeft(), askedSize_));
    const bool isElsewhere =
        asked && event.frame && *event.frame != *asked && !isInAnyState(event.states);
    // Exposed, yet not shown by the server: not placed yet either.
    const bool isUnshown = !event.frame && !(event.states & Qt::WindowMinimized);
    if ((isElsewhere || isUnshown) &&
        ++placementChecks_ * placementCheckMilliseconds < placementMilliseconds) {
        // Where Qt has it as asked already, the server has yet to answer.
        const auto isAskedAlready = [&] {
            return askedFrame_ ? event.geometry == *asked : event.geometry.size() == asked->size();
        };
        if (isElsewhere && !isAskedAlready() && event.frame != serverAtAsk_) {
            serverAtAsk_ = event.frame;
            actions.push_back({.kind = Action::Kind::setGeometry, .frame = asked});
        }
        start(Timer::placement, actions);
        return;
    }
    placed(event, actions);
}

// Placed at the size asked and in no state: its frame is the window's from
// the start, as the server has it (Qt may not have heard of it yet). One
// minimised first has the frame the manager last told Qt of, if it told of
// any: the server has a minimised frame wherever the manager parks or
// animates it. One in another state or of another size is left to settle.
void FrameKeeping::placed(const Event& event, std::vector<Action>& actions) {
    if (fillingStates_ || fillingDirections_) {
        if (fillingStates_) {
            actions.push_back(
                {.kind = Action::Kind::setStates, .states = event.states | fillingStates_});
        }
        if (fillingDirections_) {
            actions.push_back(
                {.kind = Action::Kind::requestDirections, .directions = fillingDirections_});
        }
        fillingStates_ = {};
        fillingDirections_ = {};
        isAwaitingFillAnswer_ = true;
        phase_ = Phase::filling;
        start(Timer::fillAnswer, actions);
        start(Timer::settle, actions);
        return;
    }
    const bool filling = isFilling(event.states);
    phase_ = filling ? Phase::filling : Phase::normal;
    if (!event.frame || (event.states & Qt::WindowMinimized)) {
        if (hasManagerPlacement_ && !filling && event.geometry.size() == askedSize_) {
            commit(event.geometry, actions);
        }
        return;
    }
    if (!filling && event.frame->size() == askedSize_) {
        commit(*event.frame, actions);
    } else {
        start(Timer::settle, actions);
    }
}

// The frame and the manager's state have been still for a moment.
void FrameKeeping::settled(const Event& event, std::vector<Action>& actions) {
    if (phase_ != Phase::normal && phase_ != Phase::filling) {
        return;
    }
    const bool isInState = isInAnyState(event.states);
    if (isAwaitingFillAnswer_ && !isInState) {
        return; // Until the answer or its bound.
    }
    if (isAwaitingFillAnswer_) {
        isAwaitingFillAnswer_ = false;
        stop(Timer::fillAnswer, actions);
    }
    if (isInState) {
        if (isFilling(event.states)) {
            phase_ = Phase::filling;
            noteFillingSize(event);
        }
        return;
    }
    phase_ = Phase::normal;
    if (goesBack(event.geometry)) {
        fillingSize_.reset();
        actions.push_back({.kind = Action::Kind::setGeometry, .frame = normalFrame_});
        return;
    }
    fillingSize_.reset();
    commit(event.geometry, actions);
}

// A frame not yet settled counts when the window closes in no state, unless
// it would have gone back. Nothing the manager did while placing counts, only
// a frame Pelmor itself moved the window to. Filling states not yet taken
// again are taken at the next show.
void FrameKeeping::closed(const Event& event, std::vector<Action>& actions) {
    const bool wasSettling = isRunning(Timer::settle);
    for (const Timer timer : {Timer::settle, Timer::placement, Timer::fillAnswer}) {
        stop(timer, actions);
    }
    const bool counts = phase_ == Phase::placing
                            ? isMovedByPelmor_
                            : phase_ != Phase::hidden && wasSettling && !isAwaitingFillAnswer_ &&
                                  !goesBack(event.geometry);
    if (counts && !isInAnyState(event.states)) {
        commit(event.geometry, actions);
    }
    isAwaitingFillAnswer_ = false;
    isAwaitingExposure_ = false;
    holding_ = Holding::none;
    phase_ = Phase::hidden;
}

// Moved, resized or in other states: counts once still. A filling state
// seen is the answer to one asked for.
void FrameKeeping::changed(const Event& event, std::vector<Action>& actions) {
    if (isAwaitingFillAnswer_ && isFilling(event.states)) {
        isAwaitingFillAnswer_ = false;
        stop(Timer::fillAnswer, actions);
    }
    noteFillingSize(event);
    start(Timer::settle, actions);
}

void FrameKeeping::noteFillingSize(const Event& event) {
    if (isFilling(event.states) && event.geometry.size() != normalFrame_.size()) {
        fillingSize_ = event.geometry.size();
    }
}

bool FrameKeeping::isFilling(Qt::WindowStates states) const {
    return (states & fillingStates) || bool(reported_);
}

// In a state by Qt's account or by the manager's, which Qt may not have
// heard of yet.
bool FrameKeeping::isInAnyState(Qt::WindowStates states) const {
    return (states & ~Qt::WindowActive) != Qt::WindowNoState || bool(reported_);
}

// Left by the manager at the size it had while filling: not a place anyone
// chose.
bool FrameKeeping::goesBack(QRect geometry) const {
    return fillingSize_ && geometry.size() == *fillingSize_ && geometry != normalFrame_;
}

void FrameKeeping::start(Timer timer, std::vector<Action>& actions) {
    runningTimers_ |= bit(timer);
    actions.push_back({.kind = Action::Kind::startTimer, .timer = timer});
}

void FrameKeeping::stop(Timer timer, std::vector<Action>& actions) {
    if (isRunning(timer)) {
        runningTimers_ &= ~bit(timer);
        actions.push_back({.kind = Action::Kind::stopTimer, .timer = timer});
    }
}

bool FrameKeeping::isRunning(Timer timer) const {
    return (runningTimers_ & bit(timer)) != 0;
}

void FrameKeeping::commit(QRect frame, std::vector<Action>& actions) {
    normalFrame_ = frame;
    isNormalFrameKnown_ = true;
    actions.push_back({.kind = Action::Kind::commit, .frame = frame});
}
