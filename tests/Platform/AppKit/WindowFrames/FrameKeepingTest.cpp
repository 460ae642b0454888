#include "Platform/AppKit/WindowFrames/FrameKeeping.h"

#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

#include <QStringList>

namespace {

using Event = FrameKeeping::Event;
using Action = FrameKeeping::Action;
using Timer = FrameKeeping::Timer;

const QRect screen(0, 0, 1280, 800);
const QMargins margins(1, 24, 1, 1);
// Client areas: the saved normal frame, the window manager's own placement
// at that size, a maximised and a vertically maximised one, and where a drag
// out of the maximise dropped the window.
const QRect normal(200, 150, 640, 480);
const QRect elsewhere(320, 160, 640, 480);
const QRect filled(1, 24, 1278, 775);
const QRect tall(200, 24, 640, 775);
const QRect dropped(520, 300, 640, 480);
const QRect lower(200, 250, 640, 480);
// Where the manager put a window at the size limits Qt gave it while it had
// the window on a monitor of twice the scale for a moment.
const QRect doubled(200, 150, 1280, 960);
const QRect doubledElsewhere(320, 160, 1280, 960);
// A tiling manager's tile, where it holds the window whatever is asked.
const QRect tile(2, 26, 636, 772);

QString nameOf(QRect frame) {
    const std::map<QString, QRect> names{
        {"normal", normal},   {"elsewhere", elsewhere}, {"filled", filled}, {"tall", tall},
        {"dropped", dropped}, {"lower", lower},         {"tile", tile}};
    for (const auto& [name, known] : names) {
        if (known == frame) {
            return name;
        }
    }
    return QStringLiteral("%1,%2 %3x%4")
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height());
}

// One thing Pelmor, Qt or the window manager does.
struct Step {
    enum Kind {
        show,           // Pelmor shows the window in `states`
        expose,         // first exposure; the server maps it where Qt has it unless placed
        exposeEarly,    // first exposure, the server not showing it yet
        exposeUnframed, // first exposure, before the manager sets the frame's extents
        configure,      // the manager moves or resizes it to `frame`, and Qt hears of it
        move,           // Pelmor moves it to `frame`
        server,         // the server has it at `frame` (empty: not shown); Qt has not heard
        qt,             // Qt hears of `states`
        net,            // the manager's _NET_WM_STATE becomes `reported`
        tiled,          // the manager holds the window at `frame` from now on
        fire,           // `timer` fires
        hide,           // Pelmor closes it
    } kind;
    QRect frame{};
    Qt::WindowStates states{};
    MaximizedDirections::Reported reported{};
    Timer timer = Timer::settle;
    // The frame a show is held by first, or an exposure tells: the window's
    // own unless given.
    std::optional<QMargins> margins{};
};

Step show(Qt::WindowStates states = {}) {
    return {.kind = Step::show, .states = states};
}
Step showHeldBy(QMargins first) {
    return {.kind = Step::show, .margins = first};
}
Step exposeFramedBy(QMargins told) {
    return {.kind = Step::expose, .margins = told};
}
const Step expose{.kind = Step::expose};
const Step exposeEarly{.kind = Step::exposeEarly};
const Step exposeUnframed{.kind = Step::exposeUnframed};
Step at(QRect frame) {
    return {.kind = Step::configure, .frame = frame};
}
Step moveTo(QRect frame) {
    return {.kind = Step::move, .frame = frame};
}
Step serverAt(QRect frame) {
    return {.kind = Step::server, .frame = frame};
}
Step qt(Qt::WindowStates states) {
    return {.kind = Step::qt, .states = states};
}
Step net(Qt::Orientations directions, bool isFullScreen = false) {
    return {.kind = Step::net, .reported = {directions, isFullScreen}};
}
Step tiledAt(QRect frame) {
    return {.kind = Step::tiled, .frame = frame};
}
Step fire(Timer timer) {
    return {.kind = Step::fire, .timer = timer};
}
const Step settle = fire(Timer::settle);
const Step tick = fire(Timer::placement);
const Step fillBound = fire(Timer::fillAnswer);
const Step hide{.kind = Step::hide};
const Qt::Orientations both = Qt::Horizontal | Qt::Vertical;

// A window manager and Qt as the keeping sees them: it carries out each
// action as Qt and the server would at once, and writes down what Pelmor
// asked for and saved.
struct FakeDesktop {
    FrameKeeping keeping{normal};
    QRect geometry = normal;
    Qt::WindowStates states;
    std::optional<QRect> server;
    MaximizedDirections::Reported reported;
    std::optional<QRect> tile;
    std::set<Timer> running;
    QStringList out;

    void feed(Event event) {
        event.geometry = geometry;
        event.states = states;
        for (const Action& action : keeping.handle(event)) {
            perform(action);
        }
    }

    void perform(const Action& action) {
        switch (action.kind) {
        case Action::Kind::setGeometry:
            geometry = *action.frame;
            out << "move " + nameOf(geometry);
            keepTile();
            break;
        case Action::Kind::setStates:
            states = action.states;
            out << (states & Qt::WindowMaximized    ? "maximise"
                    : states & Qt::WindowFullScreen ? "full screen"
                                                    : "unfill");
            break;
        case Action::Kind::requestDirections:
            out << QStringLiteral("ask directions %1").arg(int(action.directions));
            break;
        case Action::Kind::hold: {
            const QRect client = action.frame.value_or(geometry);
            const QRect frame = client.marginsAdded(action.margins);
            const QRect kept = WindowFrameAutosave::constrained(frame, {screen});
            geometry = kept.marginsRemoved(action.margins);
            out << "hold " + nameOf(geometry);
            feed({.kind = Event::Kind::held, .frame = geometry});
            keepTile();
            break;
        }
        case Action::Kind::readServer:
            feed({.kind = Event::Kind::serverAnswered, .frame = server, .reported = reported});
            break;
        case Action::Kind::startTimer:
            running.insert(action.timer);
            break;
        case Action::Kind::stopTimer:
            running.erase(action.timer);
            break;
        case Action::Kind::commit:
            out << "save " + nameOf(*action.frame);
            break;
        }
    }

    // A tiling manager answers each request with its tile.
    void keepTile() {
        if (tile) {
            geometry = *tile;
            server = server ? tile : std::nullopt;
        }
    }

    void play(const Step& step) {
        switch (step.kind) {
        case Step::show:
            states = step.states;
            server.reset();
            feed({.kind = Event::Kind::shown, .margins = step.margins.value_or(margins)});
            break;
        case Step::expose:
            server = server.value_or(geometry);
            [[fallthrough]];
        case Step::exposeEarly:
            feed({.kind = Event::Kind::exposed, .margins = step.margins.value_or(margins)});
            break;
        case Step::exposeUnframed:
            server = server.value_or(geometry);
            feed({.kind = Event::Kind::exposed});
            break;
        case Step::configure:
            geometry = step.frame;
            server = step.frame;
            feed({.kind = Event::Kind::moved, .spontaneous = true});
            break;
        case Step::move:
            geometry = step.frame;
            feed({.kind = Event::Kind::moved});
            break;
        case Step::server:
            server = step.frame.isEmpty() ? std::nullopt : std::optional(step.frame);
            break;
        case Step::qt:
            states = step.states;
            feed({.kind = Event::Kind::stateChanged});
            break;
        case Step::net:
            reported = step.reported;
            feed({.kind = Event::Kind::managerStateChanged, .reported = reported});
            break;
        case Step::tiled:
            tile = step.frame;
            break;
        case Step::fire:
            if (running.erase(step.timer) == 0) {
                out << QStringLiteral("timer %1 was not running").arg(int(step.timer));
                return;
            }
            feed({.kind = Event::Kind::timerFired, .timer = step.timer});
            break;
        case Step::hide:
            // A withdrawn window has no _NET_WM_STATE.
            server.reset();
            reported = {};
            feed({.kind = Event::Kind::hidden});
            break;
        }
    }
};

} // namespace

// The orders openbox, xfwm4, icewm and fluxbox answer in, idle and on a busy
// machine (a placement, a state or Qt's own account of either landing late),
// and a manager that un-maximises to the filled size, each from a window
// first placed at its normal frame and saved there.
TEST(FrameKeepingTest, AWindowIsKeptAtItsNormalFrameWhateverOrderTheManagerAnswersIn) {
    const Qt::WindowStates maximised = Qt::WindowMaximized;
    const std::vector<Step> closedMaximised{qt(maximised), net(both), at(filled), settle, hide};
    const std::vector<Step> closedTall{net(Qt::Vertical), at(tall), settle, hide};
    const auto after = [](std::vector<Step> first, const std::vector<Step>& then) {
        first.insert(first.end(), then.begin(), then.end());
        return first;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
        const char* out;
    } rows[] = {
        {"shown again, held by the last frame seen, then by its own, placed where asked",
         {hide, show(), expose},
         "hold normal, hold normal, save normal"},
        {"a tiling manager keeps its tile: asked once, the tile taken once placing ends",
         after({hide, tiledAt(tile), show(), expose},
               after(std::vector<Step>(19, tick), {settle, tick})),
         "hold normal, move normal, save tile, timer 1 was not running"},
        {"busy xfwm4: placed by its own rule first, asked again until it is where asked",
         {hide, show(), at(elsewhere), expose, tick, at(normal), tick},
         "hold normal, hold normal, save normal"},
        {"openbox across scales: framed at limits of another scale, asked again at its size",
         {hide, show(), at(doubled), expose, tick, at(normal), tick},
         "hold normal, move normal, save normal"},
        {"fluxbox: exposed before the server shows it",
         {hide, show(), exposeEarly, tick, serverAt(normal), tick},
         "hold normal, hold normal, save normal"},
        {"moved by the user, then closed before it settled",
         {at(lower), settle, at(dropped), hide},
         "save lower, save dropped"},
        {"minimised and restored by the manager where the user left it",
         {qt(Qt::WindowMinimized), serverAt({}), settle, qt({}), at(lower), settle},
         "save lower"},
        {"closed while placed elsewhere by a busy manager: nothing saved",
         {hide, show(), at(elsewhere), hide, show(), expose},
         "hold normal, hold normal, hold normal, save normal"},
        {"moved by Pelmor while placing, closed: that frame is saved",
         {hide, show(), moveTo(lower), hide},
         "hold normal, save lower"},
        {"minimised before Pelmor heard of its placement: the manager's frame",
         {hide, show(), at(lower), qt(Qt::WindowMinimized), serverAt({}), expose},
         "hold normal, save lower"},
        {"busy xfwm4: maximised before Pelmor heard of its placement, neither undone nor saved",
         {hide, show(), net(both), qt(maximised), at(filled), expose, settle, net({}), qt({}),
          at(normal), settle},
         "hold normal, save normal"},
        {"the maximised size reported before the state, both ways",
         {at(filled), net(both), qt(maximised), settle, at(normal), net({}), qt({}), settle},
         "save normal"},
        {"openbox: shown maximised, placed first, maximised again, un-maximised",
         after(closedMaximised,
               {show(maximised), expose, qt(maximised), net(both), at(filled), settle, net({}),
                qt({}), at(QRect(filled.topLeft(), normal.size())), at(normal), settle}),
         "unfill, hold normal, hold normal, maximise, save normal"},
        {"xfwm4, icewm: un-maximised at the filled corner, moved, then Qt hears",
         after(closedMaximised,
               {show(maximised), expose, net(both), at(filled), qt(maximised), net({}),
                at(QRect(filled.topLeft(), normal.size())), at(normal), qt({}), settle}),
         "unfill, hold normal, hold normal, maximise, save normal"},
        {"xfwm4: dragged out of the maximise, dropped at its normal size: stays, saved",
         after(closedMaximised,
               {show(maximised), expose, net(both), at(filled), qt(maximised), settle, net({}),
                at(QRect(filled.topLeft(), normal.size())), at(dropped), qt({}), settle, hide}),
         "unfill, hold normal, hold normal, maximise, save dropped"},
        {"un-maximised and left at the filled size: goes back",
         {qt(maximised), net(both), at(filled), settle, net({}), qt({}), settle, at(normal),
          settle},
         "move normal, save normal"},
        {"closed while filling the screen again, un-maximised unsettled: nothing saved",
         {qt(maximised), net(both), at(filled), settle, net({}), qt({}), hide},
         ""},
        {"closed while placing a maximised window: maximised again at the next show",
         after(closedMaximised, {show(maximised), hide, show(), expose}),
         "unfill, hold normal, hold normal, hold normal, maximise"},
        {"maximised vertically, closed: placed, then maximised vertically again (openbox)",
         after(closedTall,
               {show(), expose, net(Qt::Vertical), at(tall), settle, net({}), at(normal), settle}),
         "hold normal, hold normal, ask directions 2, save normal"},
        {"xfwm4: full screen, closed, shown full screen again",
         {net({}, true), at(screen), qt(Qt::WindowFullScreen), settle, hide,
          show(Qt::WindowFullScreen), expose, net({}, true), at(screen), qt(Qt::WindowFullScreen),
          settle},
         "unfill, hold normal, hold normal, full screen"},
        {"busy: a direction asked for answered after the frame settled, nothing saved between",
         after(closedTall, {show(), expose, settle, net(Qt::Vertical), at(tall), settle}),
         "hold normal, hold normal, ask directions 2"},
        {"a direction asked for never answered: saved where it is after the bound",
         after(closedTall, {show(), expose, settle, fillBound}),
         "hold normal, hold normal, ask directions 2, save normal"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeDesktop desktop;
        for (const Step& step : {show(), expose}) {
            desktop.play(step);
        }
        ASSERT_EQ(desktop.out.join(", ").toStdString(), "hold normal, hold normal, save normal");
        desktop.out.clear();
        for (const Step& step : row.steps) {
            desktop.play(step);
        }
        EXPECT_EQ(desktop.out.join(", ").toStdString(), row.out);
    }
}

// A window made anew at its saved frame is asked there at its first show, as
// at every later one: busy xfwm4 places it by its own rule first; and one
// saved partly past the bottom, held first by another window's frame (a
// resize handle below it), is held again from its saved frame once framed,
// so that it is pulled only as far as its own frame must be. One with none
// saved keeps its size where the manager places it.
TEST(FrameKeepingTest, AWindowFirstShownAtItsSavedFrameIsPlacedThere) {
    const QRect pastTheBottom(200, 400, 640, 480);
    const QRect pastTheRight(900, 150, 640, 480);
    const struct {
        const char* what;
        QRect saved;
        std::vector<Step> steps;
        const char* out;
        bool isSaved = true;
    } rows[] = {
        {"placed elsewhere first",
         normal,
         {show(), at(elsewhere), expose, tick, at(normal), tick},
         "hold normal, hold normal, save normal"},
        {"held first by another window's frame",
         pastTheBottom,
         {showHeldBy(QMargins(1, 24, 1, 5)), expose, at(pastTheBottom.translated(0, -81)), tick},
         "hold 200,315 640x480, hold 200,319 640x480, save 200,319 640x480"},
        {"framed in two steps (a busy fluxbox), past the bottom",
         pastTheBottom,
         {showHeldBy(QMargins(1, 24, 1, 5)), exposeFramedBy(QMargins(1, 23, 1, 2)), expose, expose,
          at(pastTheBottom.translated(0, -81)), tick},
         "hold 200,315 640x480, hold 200,318 640x480, hold 200,319 640x480, save 200,319 "
         "640x480"},
        {"framed only after its first exposure (fluxbox), past the right edge",
         pastTheRight,
         {showHeldBy(QMargins()), exposeUnframed, tick, expose,
          at(pastTheRight.translated(-261, 0)), tick},
         "hold 640,150 640x480, hold 639,150 640x480, save 639,150 640x480"},
        {"never framed (no decorations)",
         pastTheRight,
         {showHeldBy(QMargins()), exposeUnframed, tick, tick, tick, tick, tick},
         "hold 640,150 640x480, save 640,150 640x480"},
        {"none saved, framed at limits of another scale: at its size where the manager put it",
         normal,
         {show(), at(doubledElsewhere), expose, tick, at(elsewhere), tick},
         "hold normal, move elsewhere, save elsewhere",
         false},
        {"none saved, too tall, held first by another window's frame, the server late with the "
         "second hold: at the size of the second",
         screen,
         {showHeldBy(QMargins(1, 10, 1, 1)), expose, tick, at(filled), tick},
         "hold 1,10 1278x789, hold filled, save filled",
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeDesktop desktop;
        desktop.keeping = FrameKeeping(row.saved, row.isSaved);
        desktop.geometry = row.saved;
        for (const Step& step : row.steps) {
            desktop.play(step);
        }
        EXPECT_EQ(desktop.out.join(", ").toStdString(), row.out);
    }
}
