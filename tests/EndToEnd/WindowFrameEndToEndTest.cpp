#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/PopoverWindow.h"
#include "Platform/AppKit/Tray/StatusItem.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Platform/AppKit/WindowFrames/FrameKeeping.h"
#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "Support/EventLoopWait.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/ToolWindowKind.h"
#include "UI/Settings/SettingsView.h"
#include "UI/Settings/SettingsWindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

// Lets GoogleTest show a frame as its size and place.
static void PrintTo(const QRect& frame, std::ostream* stream) {
    *stream << frame.width() << "x" << frame.height() << " at " << frame.x() << "," << frame.y();
}

static void PrintTo(const QSize& size, std::ostream* stream) {
    *stream << size.width() << "x" << size.height();
}

namespace {

const QString frameName = QStringLiteral("pelmor.speedTest.windowFrame");

// Where a window was left on a monitor, above and left of this one, that has
// since gone.
const QRect leftOffTheTopLeft(-1070, -670, 640, 480);

// The window-manager side of a window, through the X server: its ICCCM and
// EWMH state, and the root window's record of the active and topmost one.
constexpr std::uint32_t iconicState = 3;
constexpr std::uint32_t removing = 0;
constexpr std::uint32_t adding = 1;
constexpr std::uint32_t fromPager = 2;

std::uint32_t atom(const QByteArray& name) {
    return XcbRequests::internAtom(XcbRequests::qtConnection(), name);
}

std::vector<std::uint32_t> property(xcb_window_t window, const QByteArray& name) {
    return XcbRequests::property32(XcbRequests::qtConnection(), window, atom(name));
}

std::vector<std::uint32_t> rootProperty(const QByteArray& name) {
    return property(XcbRequests::defaultRootWindow(XcbRequests::qtConnection()), name);
}

bool holds(const std::vector<std::uint32_t>& items, std::uint32_t item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

void sendToWindowManager(xcb_window_t window, const QByteArray& type,
                         std::array<std::uint32_t, 5> data) {
    XcbRequests::sendToWindowManager(XcbRequests::qtConnection(), window, atom(type), data);
}

void changeState(xcb_window_t window, std::uint32_t action, const QList<QByteArray>& states) {
    sendToWindowManager(window, "_NET_WM_STATE",
                        {action, atom(states.value(0)),
                         states.size() > 1 ? atom(states.value(1)) : 0, fromPager, 0});
}

// Whether the states among maximised, full screen and rolled up that the
// window is in are `states`.
bool holdsStates(xcb_window_t window, const QList<QByteArray>& states) {
    const std::vector<std::uint32_t> held = property(window, "_NET_WM_STATE");
    for (const QByteArray& filling :
         {QByteArray("_NET_WM_STATE_MAXIMIZED_VERT"), QByteArray("_NET_WM_STATE_MAXIMIZED_HORZ"),
          QByteArray("_NET_WM_STATE_FULLSCREEN"), QByteArray("_NET_WM_STATE_SHADED")}) {
        if (holds(held, atom(filling)) != states.contains(filling)) {
            return false;
        }
    }
    return true;
}

// Whether Qt, too, has the window maximised or full screen as `states` say.
bool qtAgrees(const QWidget& window, const QList<QByteArray>& states) {
    return window.isFullScreen() == states.contains("_NET_WM_STATE_FULLSCREEN") &&
           window.isMaximized() == (states.contains("_NET_WM_STATE_MAXIMIZED_VERT") &&
                                    states.contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

bool isIconic(xcb_window_t window) {
    const std::vector<std::uint32_t> state = property(window, "WM_STATE");
    return (!state.empty() && state.front() == iconicState) ||
           holds(property(window, "_NET_WM_STATE"), atom("_NET_WM_STATE_HIDDEN"));
}

bool isViewable(xcb_window_t window);

// The window's top-level ancestor: its window manager's frame, where it has one.
xcb_window_t frameOf(xcb_window_t window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const xcb_window_t root = XcbRequests::defaultRootWindow(connection);
    for (;;) {
        const auto tree = XcbRequests::owned(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == root || tree->parent == XCB_WINDOW_NONE) {
            return window;
        }
        window = tree->parent;
    }
}

// Whether the window is above every other shown window of the root, as the
// root's own children are stacked: the managers' stacking lists cannot tell
// (xfwm4 writes its list only once the stacking changes, jwm's runs from the
// top down).
bool isOnTop(xcb_window_t window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto tree = XcbRequests::owned(xcb_query_tree_reply(
        connection, xcb_query_tree(connection, XcbRequests::defaultRootWindow(connection)),
        nullptr));
    if (!tree) {
        return false;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int index = xcb_query_tree_children_length(tree.get()) - 1; index >= 0; --index) {
        const auto attributes = XcbRequests::owned(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[index]), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            !attributes->override_redirect) {
            return children[index] == frameOf(window);
        }
    }
    return false;
}

std::uint32_t currentDesktop() {
    return rootProperty("_NET_CURRENT_DESKTOP").at(0);
}

// On the desktop the user is on, or on every desktop.
bool isOnCurrentDesktop(xcb_window_t window) {
    const std::vector<std::uint32_t> desktop = property(window, "_NET_WM_DESKTOP");
    return !desktop.empty() &&
           (desktop.front() == currentDesktop() || desktop.front() == 0xFFFFFFFF);
}

// Active as the window manager records it (xfwm4 adds a second item).
bool isActiveOnTop(xcb_window_t window) {
    const std::vector<std::uint32_t> active = rootProperty("_NET_ACTIVE_WINDOW");
    return !active.empty() && active.front() == window && isOnTop(window);
}

bool isViewable(xcb_window_t window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto attributes = XcbRequests::owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The control named `name` on show in `root`, if there is one.
QWidget* named(const QWidget& root, const QString& name) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->accessibleName() == name && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// A point in Qt's pixels in device pixels, as xdotool and the X server have
// it: Qt scales each screen about its own top-left corner.
QPoint devicePoint(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        return point;
    }
    const QPoint origin = screen->geometry().topLeft();
    return origin + (point - origin) * screen->devicePixelRatio();
}

bool clickNamed(const QWidget& root, const QString& name) {
    const QWidget* control = named(root, name);
    return control != nullptr &&
           DesktopSession::clickAt(devicePoint(control->mapToGlobal(control->rect().center())));
}

// The top-level window titled `title` that Qt takes as shown (a minimised
// window is), if there is one.
QWidget* shown(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowTitle() == title && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

xcb_window_t xcbWindow(const QString& title) {
    const QWidget* window = shown(title);
    return window != nullptr ? xcb_window_t(window->winId()) : XCB_WINDOW_NONE;
}

// Framed, and where Qt has it: Qt hears of the manager's placement later. The
// server has it in device pixels, which Qt scales about its screen's corner.
bool isFramed(const QString& title) {
    const QWidget* window = shown(title);
    if (window == nullptr || !isViewable(xcb_window_t(window->winId())) ||
        window->windowHandle()->frameMargins().isNull()) {
        return false;
    }
    const std::optional<QRect> device =
        XcbRequests::rootGeometry(XcbRequests::qtConnection(), xcb_window_t(window->winId()));
    const QPoint origin = window->screen()->geometry().topLeft();
    const qreal ratio = window->devicePixelRatio();
    return device && QRect(origin + (device->topLeft() - origin) / ratio, device->size() / ratio) ==
                         window->geometry();
}

// Whether the window titled `title` shows in `states` to the window manager
// and to Qt: filling the screen, or at `frame` in none but rolled up.
bool showsIn(const QString& title, const QList<QByteArray>& states, QRect frame) {
    const QWidget* window = shown(title);
    const bool fills = !states.isEmpty() && states != QList<QByteArray>{"_NET_WM_STATE_SHADED"};
    return window != nullptr && holdsStates(xcb_window_t(window->winId()), states) &&
           qtAgrees(*window, states) && (window->geometry() == frame) != fills;
}

std::string describe(const QString& title) {
    const xcb_window_t window = xcbWindow(title);
    if (window == XCB_WINDOW_NONE) {
        return "not shown";
    }
    std::ostringstream text;
    text << (isViewable(window) ? "viewable " : "unmapped ")
         << (isIconic(window) ? "iconic, " : "normal, ")
         << testing::PrintToString(shown(title)->geometry()) << ", "
         << property(window, "_NET_WM_STATE").size() << " states, "
         << (isActiveOnTop(window) ? "active on top" : "not active on top") << ", "
         << (isOnCurrentDesktop(window) ? "on the current desktop" : "on another desktop");
    return text.str();
}

// Each of Pelmor's windows, picked as a user picks it: a tool window in the
// popover's toolbox, the settings window in the tray icon's menu.
struct PelmorWindow {
    QString title;
    QString frameName;
    bool isResizable;
    // Whether the window is kept, state and all, while it is closed; the
    // settings window is made anew at its frame each time it opens.
    bool isKeptClosed;
    std::function<bool()> pick;
};

std::vector<PelmorWindow> pelmorWindows(MenuBarController& menuBar) {
    std::vector<PelmorWindow> windows;
    for (const ToolWindowDescriptor& tool : toolWindowDescriptors()) {
        windows.push_back(
            {tool.title, tool.frameAutosaveName, tool.isResizable, true, [&menuBar, tool] {
                 // The popover opens below the pointer.
                 QCursor::setPos(QPoint(640, 0));
                 QWidget& popover = menuBar.popover();
                 // The popover closes when the focus leaves it, as it does
                 // when the window manager, late beside busy loops, passes
                 // the focus on from the windows the restart destroyed after
                 // the new popover took it: it is opened again.
                 for (int attempt = 0; attempt < 5; ++attempt) {
                     processEventsUntil([&] {
                         if (!menuBar.isPopoverShown()) {
                             menuBar.togglePopover();
                         }
                         return popover.windowHandle()->isExposed();
                     });
                     if (named(popover, tool.title) == nullptr) {
                         clickNamed(popover, QStringLiteral("Open Toolbox"));
                     }
                     if (processEventsUntil([&] { return named(popover, tool.title); }, 2'000)) {
                         return clickNamed(popover, tool.title);
                     }
                 }
                 return false;
             }});
    }
    windows.push_back(
        {SettingsWindow::title, SettingsWindow::frameAutosaveName, true, false, [] {
             QMenu* menu = nullptr;
             QAction* settings = nullptr;
             for (QWidget* widget : QApplication::topLevelWidgets()) {
                 for (QAction* action : widget->actions()) {
                     if (action->text() == QStringLiteral("Settings…")) {
                         menu = qobject_cast<QMenu*>(widget);
                         settings = action;
                     }
                 }
             }
             if (menu == nullptr) {
                 return false;
             }
             menu->popup(QPoint(400, 300));
             return processEventsUntil([&] { return menu->windowHandle()->isExposed(); }) &&
                    DesktopSession::clickAt(
                        devicePoint(menu->mapToGlobal(menu->actionGeometry(settings).center())));
         }});
    return windows;
}

} // namespace

// Kept windows under real window managers, each of which frames a window
// with a title bar above its client area and answers in its own order:
// openbox, xfwm4, jwm and awesome (the popover alone). The whole frame comes
// back on the screen, so that the title bar can be reached.
class WindowFrameEndToEndTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
        }
        const QString program = QString::fromLatin1(GetParam());
        ASSERT_TRUE(DesktopSession::programsInstalled({GetParam()}))
            << GetParam() << " is not installed";
        windowManager.start(program, windowManagerArguments(program));
        ASSERT_TRUE(windowManager.waitForStarted(5'000));
        // bspwm takes no window mapped before it runs.
        ASSERT_TRUE(program != QStringLiteral("bspwm") ||
                    processEventsUntil(
                        [] { return !rootProperty("_NET_SUPPORTING_WM_CHECK").empty(); }, 10'000))
            << GetParam() << " never ran";
        // Running once it frames a window, or tells its state (bspwm draws
        // no frame, only the window's own border).
        QWidget probe;
        probe.show();
        ASSERT_TRUE(processEventsUntil(
            [&] {
                return !probe.windowHandle()->frameMargins().isNull() ||
                       !property(xcb_window_t(probe.winId()), "WM_STATE").empty();
            },
            10'000))
            << GetParam() << " managed no window";
    }

    // i3 without a bar, bspwm with a desktop: each from a configuration of
    // the test's own.
    QStringList windowManagerArguments(const QString& program) const {
        const auto written = [&](const QString& name, const QByteArray& text) {
            QFile file(directory.filePath(name));
            if (file.open(QIODevice::WriteOnly)) {
                file.write(text);
            }
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
            return QStringList{"-c", file.fileName()};
        };
        if (program == QStringLiteral("xfwm4")) {
            return {"--compositor=off", "--sm-client-disable"};
        }
        if (program == QStringLiteral("i3")) {
            return written("i3.config", "# i3 config file (v4)\nfont pango:monospace 8\n");
        }
        if (program == QStringLiteral("bspwm")) {
            return written("bspwmrc", "#!/bin/sh\nbspc monitor -d one\n");
        }
        return {};
    }

    // Pelmor started as at login, on a runtime of the test's own.
    void startPelmor() {
        ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(directory));
        runtime.emplace(std::make_shared<Async::EventLoopExecutor>(),
                        std::make_shared<Async::EventLoopTimerService>());
        restartPelmor();
    }

    void restartPelmor() {
        delegate.reset();
        delegate = AppDelegate::create(makeApplicationEnvironment());
        delegate->applicationDidFinishLaunching();
    }

    // The frame Pelmor saved under `name`.
    static QRect savedFrame(const QString& name) {
        QSettings saved(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pelmor"),
                        QStringLiteral("pelmor"));
        saved.sync(); // What the settings file holds now.
        return saved.value("WindowFrames/" + name).toRect();
    }

    void TearDown() override {
        delegate.reset();
        windowManager.terminate();
        windowManager.waitForFinished(5'000);
    }

    // Whether the window shows, framed, with its whole frame on the screen,
    // once the window manager has placed it.
    static bool showsItsWholeFrame(QWidget& window) {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const auto isWhollyOnScreen = [&] {
            const QWindow* handle = window.windowHandle();
            return handle->isExposed() && !handle->frameMargins().isNull() &&
                   screen.contains(handle->frameGeometry());
        };
        processEventsUntil(isWhollyOnScreen, 3'000);
        DesktopSession::pumpFor(300);
        return isWhollyOnScreen();
    }

    static std::unique_ptr<QWidget> openKeptWindow(const std::shared_ptr<PreferenceFile>& frames) {
        auto window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Speed Test"));
        window->resize(leftOffTheTopLeft.size());
        WindowFrameAutosave::keep(*window, frameName, frames);
        window->show();
        return window;
    }

    QProcess windowManager;
    QTemporaryDir directory;
    std::optional<Async::Runtime> runtime;
    std::shared_ptr<AppDelegate> delegate;
};

TEST_P(WindowFrameEndToEndTest, AWindowLeftOffTheTopLeftComesBackWithItsWholeFrame) {
    const auto frames = std::make_shared<PreferenceFile>(directory.filePath("frames.ini"));
    frames->setValue(QStringLiteral("WindowFrames/") + frameName, leftOffTheTopLeft);

    auto window = openKeptWindow(frames);
    EXPECT_TRUE(showsItsWholeFrame(*window))
        << "restarted: frame at " << window->windowHandle()->frameGeometry().y();

    // Moved off the screen, closed and reopened.
    window->move(leftOffTheTopLeft.topLeft());
    DesktopSession::pumpFor(300);
    window->close();
    window->show();
    EXPECT_TRUE(showsItsWholeFrame(*window))
        << "reopened: frame at " << window->windowHandle()->frameGeometry().y();

    // The next start, from the frame saved when it last moved.
    window->move(leftOffTheTopLeft.topLeft());
    DesktopSession::pumpFor(300);
    window.reset();
    window = openKeptWindow(frames);
    EXPECT_TRUE(showsItsWholeFrame(*window))
        << "restarted again: frame at " << window->windowHandle()->frameGeometry().y();
}

// Kept windows first shown after a start at saved frames partly past an edge:
// two at once, before any frame was seen, then a fixed-size one once they
// are framed, held first by their frame (under openbox a fixed-size window's
// frame has no resize handle below it). Each lands pulled onto the screen
// along that edge alone, only as far as its own frame must be, saves that,
// and stays there, shown again too.
TEST_P(WindowFrameEndToEndTest, AWindowFirstShownPastAnEdgeIsPulledOnlyAsFarAsItMustBe) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto frames = std::make_shared<PreferenceFile>(directory.filePath("frames.ini"));
    const struct {
        const char* what;
        QRect saved;
        bool isFixedSize;
        // The edges it is pulled from: -1 the left or top, 1 the right or
        // bottom, 0 none.
        QPoint pulledFrom;
    } rows[] = {
        {"past the left edge", QRect(-70, 200, 640, 480), false, {-1, 0}},
        {"past the right edge", QRect(screen.right() - 500, 150, 640, 480), false, {1, 0}},
        {"fixed size, past the bottom, later",
         QRect(300, screen.bottom() - 400, 640, 480),
         true,
         {0, 1}},
    };
    std::vector<std::unique_ptr<QWidget>> windows;
    for (const auto& row : rows) {
        const QString name = QString::fromLatin1(row.what);
        frames->setValue(QStringLiteral("WindowFrames/") + name, row.saved);
        QWidget& window = *windows.emplace_back(std::make_unique<QWidget>());
        window.setWindowTitle(name);
        if (row.isFixedSize) {
            window.setFixedSize(row.saved.size());
        } else {
            window.setMinimumSize(320, 240);
        }
        WindowFrameAutosave::keep(window, name, frames);
    }
    const auto expected = [&](std::size_t index) {
        const QMargins margins = windows[index]->windowHandle()->frameMargins();
        QRect frame = rows[index].saved;
        const QPoint from = rows[index].pulledFrom;
        if (from.x() != 0) {
            frame.moveLeft(from.x() < 0 ? screen.left() + margins.left()
                                        : screen.right() - margins.right() - frame.width() + 1);
        }
        if (from.y() != 0) {
            frame.moveTop(screen.bottom() - margins.bottom() - frame.height() + 1);
        }
        return frame;
    };
    const auto isFramed = [&](std::size_t index) {
        const QWindow* handle = windows[index]->windowHandle();
        return handle != nullptr && handle->isExposed() && !handle->frameMargins().isNull();
    };
    const auto showAll = [&] {
        windows[0]->show();
        windows[1]->show();
        EXPECT_TRUE(processEventsUntil([&] { return isFramed(0) && isFramed(1); }, 5'000));
        windows[2]->show();
    };
    const auto checkAll = [&](const char* when) {
        for (std::size_t index = 0; index < windows.size(); ++index) {
            const QWidget& window = *windows[index];
            const auto savedFrame = [&] {
                return frames->value(QStringLiteral("WindowFrames/") + rows[index].what).toRect();
            };
            EXPECT_TRUE(processEventsUntil(
                [&] {
                    return isFramed(index) && window.geometry() == expected(index) &&
                           savedFrame() == expected(index);
                },
                3'000))
                << rows[index].what << ", " << when << ": "
                << testing::PrintToString(window.geometry()) << ", not "
                << testing::PrintToString(expected(index)) << ", saved "
                << testing::PrintToString(savedFrame());
        }
        DesktopSession::pumpFor(FrameKeeping::placementMilliseconds);
        for (std::size_t index = 0; index < windows.size(); ++index) {
            EXPECT_EQ(windows[index]->geometry(), expected(index))
                << rows[index].what << ", " << when << ": moved again";
        }
    };
    showAll();
    checkAll("first shown");
    for (const auto& window : windows) {
        window->close();
    }
    showAll();
    checkAll("shown again");
}

// Pelmor's own windows, picked again after each thing a window manager does
// to a window: shown, restored from minimised, raised and active, in the
// state it was left in, and back at its frame once that state is undone. The
// frame saved meanwhile is the one the window goes back to.
TEST_P(WindowFrameEndToEndTest, APickedWindowComesBackActiveAtItsFrameAfterEachWindowManagerAct) {
    ASSERT_NO_FATAL_FAILURE(startPelmor());
    MenuBarController& menuBar = *delegate->menuBarController();

    const std::vector<PelmorWindow> windows = pelmorWindows(menuBar);
    const QList<QByteArray> maximised{"_NET_WM_STATE_MAXIMIZED_VERT",
                                      "_NET_WM_STATE_MAXIMIZED_HORZ"};
    const struct {
        const char* what;
        // What the window manager is asked to add to the window's state; a
        // minimise where there is nothing.
        QList<QByteArray> states;
        bool closed;
        // Whether the state is taken away again before the window closes.
        bool undoneFirst = false;
        // Whether the user drags it out of the state once it is back in it,
        // holding Alt (xfwm4 only: it drops the window at the pointer at its
        // normal size).
        bool draggedOut = false;
        // Where the user leaves the window's client area instead (a tall one
        // higher, above the bottom edge), partly past the screen's left edge:
        // it comes back pulled onto the screen only as far as it must be, at
        // the same height, at each of `reopens`.
        std::optional<QPoint> leftAt{};
        int reopens = 1;
        // Whether the user goes to another desktop (as a pager takes them)
        // instead of minimising it.
        bool leftOnAnotherDesktop = false;
    } acts[] = {
        {"minimised", {}, false},
        {"closed while minimised", {}, true},
        {"maximised", maximised, true},
        {"maximised vertically", {"_NET_WM_STATE_MAXIMIZED_VERT"}, true},
        {"maximised horizontally", {"_NET_WM_STATE_MAXIMIZED_HORZ"}, true},
        {"full screen", {"_NET_WM_STATE_FULLSCREEN"}, true},
        {"maximised and un-maximised", maximised, true, true},
        {"maximised, then dragged out of it", maximised, true, false, true},
        {"left partly past the left edge", {}, true, false, false, QPoint(-70, 200), 3},
        // A pick rolls it down (openbox does so on the activation alone, xfwm4
        // does not).
        {"rolled up", {"_NET_WM_STATE_SHADED"}, false},
        {"left on another desktop", {}, false, false, false, std::nullopt, 1, true},
    };
    const bool isXfwm4 = QByteArray(GetParam()) == "xfwm4";
    for (const PelmorWindow& window : windows) {
        ASSERT_TRUE(window.pick())
            << "could not pick " << window.title.toStdString() << "; the popover is "
            << (menuBar.isPopoverShown() ? "shown" : "closed")
            << ", the toolbox lists it: " << (named(menuBar.popover(), window.title) != nullptr);
        // Active first: an activation Qt defers until the window is mapped
        // would otherwise undo a minimise sent straight after the frame.
        ASSERT_TRUE(processEventsUntil(
            [&] { return isFramed(window.title) && isActiveOnTop(xcbWindow(window.title)); },
            5'000))
            << window.title.toStdString() << " never showed: " << describe(window.title);
        QRect frame = shown(window.title)->geometry();
        for (const auto& act : acts) {
            // No window manager maximises a window of fixed size, and xfwm4
            // makes none full screen.
            if (!window.isResizable && (act.states.value(0).startsWith("_NET_WM_STATE_MAXIMIZED") ||
                                        (!act.states.isEmpty() && isXfwm4))) {
                continue;
            }
            if (act.draggedOut && (!isXfwm4 || !window.isKeptClosed)) {
                continue;
            }
            SCOPED_TRACE(window.title.toStdString() + ", " + act.what);
            const xcb_window_t before = xcbWindow(window.title);
            if (act.leftAt) {
                const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
                // Placed first: one moved while it is placed is asked back
                // where it was placed.
                DesktopSession::pumpFor(FrameKeeping::placementMilliseconds);
                QWidget& moved = *shown(window.title);
                // Well above the bottom, border and all.
                QRect left(*act.leftAt, frame.size());
                left.moveBottom(std::min(left.bottom(), screen.bottom() - 40));
                moved.setGeometry(left);
                EXPECT_TRUE(processEventsUntil(
                    [&] {
                        return isFramed(window.title) && moved.pos().x() < 0 &&
                               savedFrame(window.frameName) == moved.geometry();
                    },
                    3'000))
                    << "left: " << describe(window.title);
                frame = moved.geometry();
                frame.moveLeft(screen.left() + moved.windowHandle()->frameMargins().left());
            } else if (act.leftOnAnotherDesktop) {
                // Once the last pick's activation is through: one sent after
                // the switch takes the user back (jwm goes to the desktop of
                // the window it activates).
                DesktopSession::pumpFor(500);
                const std::uint32_t desktops = rootProperty("_NET_NUMBER_OF_DESKTOPS").at(0);
                const std::uint32_t other = (currentDesktop() + 2) % desktops;
                sendToWindowManager(XcbRequests::defaultRootWindow(XcbRequests::qtConnection()),
                                    "_NET_CURRENT_DESKTOP", {other});
                EXPECT_TRUE(processEventsUntil(
                    [&] { return currentDesktop() == other && !isViewable(before); }, 3'000))
                    << describe(window.title);
            } else if (act.states.isEmpty()) {
                sendToWindowManager(before, "WM_CHANGE_STATE", {iconicState});
                EXPECT_TRUE(processEventsUntil([&] { return isIconic(before); }, 3'000))
                    << describe(window.title);
            } else {
                changeState(before, adding, act.states);
                EXPECT_TRUE(processEventsUntil(
                    [&] { return showsIn(window.title, act.states, frame); }, 3'000))
                    << describe(window.title);
                EXPECT_EQ(savedFrame(window.frameName), frame) << "saved while filling the screen";
            }
            if (act.undoneFirst) {
                changeState(before, removing, act.states);
                EXPECT_TRUE(
                    processEventsUntil([&] { return showsIn(window.title, {}, frame); }, 3'000))
                    << "un-done before closing: " << describe(window.title);
            }
            const QList<QByteArray> states = act.undoneFirst ||
                                                     (act.closed && !window.isKeptClosed) ||
                                                     act.states.contains("_NET_WM_STATE_SHADED")
                                                 ? QList<QByteArray>()
                                                 : act.states;
            for (int reopen = 1; reopen <= act.reopens; ++reopen) {
                if (act.closed) {
                    sendToWindowManager(xcbWindow(window.title), "_NET_CLOSE_WINDOW",
                                        {0, fromPager});
                    EXPECT_TRUE(processEventsUntil([&] { return !shown(window.title); }, 3'000));
                }
                EXPECT_TRUE(window.pick());
                EXPECT_TRUE(processEventsUntil(
                    [&] {
                        const xcb_window_t after = xcbWindow(window.title);
                        return isViewable(after) && !isIconic(after) && isActiveOnTop(after) &&
                               isOnCurrentDesktop(after) && showsIn(window.title, states, frame) &&
                               (!act.leftAt || savedFrame(window.frameName) == frame);
                    },
                    3'000))
                    << "reopen " << reopen << ": " << describe(window.title) << ", not "
                    << testing::PrintToString(frame) << ", saved "
                    << testing::PrintToString(savedFrame(window.frameName));
            }
            if (act.draggedOut) {
                const QPoint from = shown(window.title)->geometry().center();
                const auto at = [](QPoint point) {
                    return QStringList{"mousemove", QString::number(point.x()),
                                       QString::number(point.y()), "sleep", "0.2"};
                };
                QProcess::execute("xdotool",
                                  at(from) + QStringList{"keydown", "alt", "mousedown", "1"} +
                                      at(from + QPoint(20, 20)) + at(from + QPoint(90, 60)) +
                                      QStringList{"mouseup", "1", "keyup", "alt"});
                const auto isDropped = [&] {
                    const QWidget* dropped = shown(window.title);
                    return dropped != nullptr && holdsStates(xcb_window_t(dropped->winId()), {}) &&
                           qtAgrees(*dropped, {}) && dropped->size() == frame.size() &&
                           dropped->geometry() != frame;
                };
                EXPECT_TRUE(processEventsUntil(isDropped, 3'000))
                    << "dragged out: " << describe(window.title);
                const QRect dropped = shown(window.title)->geometry();
                DesktopSession::pumpFor(1'000);
                EXPECT_EQ(shown(window.title)->geometry(), dropped) << "moved after the drop";
                EXPECT_EQ(savedFrame(window.frameName), dropped)
                    << "the dropped frame is not saved";
                frame = dropped;
            } else if (!states.isEmpty()) {
                changeState(xcbWindow(window.title), removing, states);
                EXPECT_TRUE(
                    processEventsUntil([&] { return showsIn(window.title, {}, frame); }, 3'000))
                    << "un-done: " << describe(window.title) << ", not "
                    << testing::PrintToString(frame);
            }
        }
    }
}

// The popover, opened by a click on its icon where the manager has a tray
// (awesome's, along the top; jwm's, along the bottom), else from the top
// right corner of the screen, stands by that place under every manager. A
// manager that borders it (awesome) places a new window whose border would
// cross an edge elsewhere.
TEST_P(WindowFrameEndToEndTest, ThePopoverStandsByItsIcon) {
    ASSERT_NO_FATAL_FAILURE(startPelmor());
    MenuBarController& menuBar = *delegate->menuBarController();
    QRect near(QGuiApplication::primaryScreen()->geometry().topRight() + QPoint(-10, 10),
               QSize(1, 1));
    // awesome takes its tray's selection once it has drawn its bar.
    const XEmbedTraySelection trays;
    if (processEventsUntil([&] { return trays.hasOwner(); }, 2'000)) {
        ASSERT_TRUE(
            processEventsUntil([&] { return !menuBar.statusItem()->geometry().isEmpty(); }, 10'000))
            << "the tray shows no icon";
        DesktopSession::pumpFor(500);
        near = menuBar.statusItem()->geometry();
        ASSERT_TRUE(DesktopSession::clickAt(near.center()));
    } else {
        QCursor::setPos(near.topLeft());
        menuBar.togglePopover();
    }
    QWidget& popover = menuBar.popover();
    ASSERT_TRUE(processEventsUntil(
        [&] { return menuBar.isPopoverShown() && popover.windowHandle()->isExposed(); }, 5'000))
        << "nothing opened by " << testing::PrintToString(near);
    DesktopSession::pumpFor(500);
    const std::optional<QRect> shown =
        XcbRequests::rootGeometry(XcbRequests::qtConnection(), xcb_window_t(popover.winId()));
    ASSERT_TRUE(shown.has_value()) << "the popover closed";
    const auto isWithin = [](int gap) { return gap >= 0 && gap <= 20; };
    EXPECT_TRUE(shown->left() <= near.center().x() && near.center().x() <= shown->right() &&
                (isWithin(shown->top() - near.bottom()) || isWithin(near.top() - shown->bottom())))
        << "by " << testing::PrintToString(near) << ", shown " << testing::PrintToString(*shown);
}

// Pelmor's windows on two monitors of different scales (run under
// on-two-monitors), each put through the moves of its row: moved to the
// monitor of the other scale by a request to the server (as a pager or a
// script moves it), there or left past that monitor's bottom and right edges;
// dragged across by its title bar with the pointer, with or without a pause
// while it straddles the border, Pelmor running meanwhile; maximised, moved
// across and un-maximised; closed and reopened; opened at the next start.
// After each it shows on the monitor it was left on, at its size in Qt's
// pixels, and stays so, its title bar on that monitor, and the frame saved is
// the one shown; one left past the edges comes back pulled onto its monitor
// only as far as its frame must be. A window is first shown on a monitor that can hold it; the
// moves of a window that cannot fit on both monitors are left out.
TEST_P(WindowFrameEndToEndTest, AWindowMovedToAMonitorOfAnotherScaleKeepsItsSize) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio()) {
        GTEST_SKIP() << "Skipped: needs two monitors of different scales (run under "
                        "on-two-monitors).";
    }
    ASSERT_NO_FATAL_FAILURE(startPelmor());
    const auto deviceArea = [](const QScreen* screen) {
        const QRect area = screen->geometry();
        return QRect(area.topLeft(), area.size() * screen->devicePixelRatio());
    };
    const auto moveTo = [](const QString& title, QPoint device) {
        QProcess::execute("xdotool", {"windowmove", QString::number(xcbWindow(title)),
                                      QString::number(device.x()), QString::number(device.y())});
    };
    // By the title bar with the pointer, as a user drags, to `to` in Qt's
    // pixels: in steps 50 ms apart to the border (device pixels) and on, with
    // a pause while the window straddles the border where `pauses`.
    const auto dragTo = [](const QString& title, QPoint to, QPoint border, bool pauses) {
        const QWidget& dragged = *shown(title);
        const QRect frame = dragged.frameGeometry();
        const QPoint from =
            devicePoint(QPoint(frame.center().x(), (frame.top() + dragged.geometry().top()) / 2));
        const auto glide = [](QPoint start, QPoint end) {
            QStringList steps;
            for (int step = 1; step <= 15; ++step) {
                const QPoint point = start + (end - start) * step / 15;
                steps += {"mousemove", QString::number(point.x()), QString::number(point.y()),
                          "sleep", "0.05"};
            }
            return steps;
        };
        // Pelmor runs meanwhile, as it does while a user drags.
        QProcess drag;
        drag.start("xdotool",
                   QStringList{"mousemove", QString::number(from.x()), QString::number(from.y()),
                               "sleep", "0.2", "mousedown", "1"} +
                       glide(from, border) +
                       (pauses ? QStringList{"sleep", "1.5"} : QStringList{}) +
                       glide(border, devicePoint(to)) + QStringList{"mouseup", "1"});
        if (processEventsUntil([&] { return drag.state() == QProcess::NotRunning; }, 30'000)) {
            return true;
        }
        // Cut off, it would leave the button held and the manager moving.
        drag.kill();
        drag.waitForFinished();
        QProcess::execute("xdotool", {"mouseup", "1"});
        return false;
    };
    const QList<QByteArray> maximised{"_NET_WM_STATE_MAXIMIZED_VERT",
                                      "_NET_WM_STATE_MAXIMIZED_HORZ"};
    enum class Move {
        across,
        pastTheEdges,
        reopened,
        draggedAcross,
        draggedBack,
        slowlyDraggedAcross,
        slowlyDraggedBack,
        maximisedAcross,
        restarted,
    };
    using enum Move;
    const char* const moveNames[] = {"moved across",
                                     "left past the edges",
                                     "reopened",
                                     "dragged across",
                                     "dragged back",
                                     "slowly dragged across",
                                     "slowly dragged back",
                                     "maximised, moved across, un-maximised",
                                     "restarted"};
    const struct {
        const char* title;
        std::vector<Move> moves;
    } rows[] = {
        {"Pelmor Settings", {across, reopened, draggedBack, across, restarted}},
        {"Wi-Fi Radar", {across, reopened, draggedBack, across, restarted}},
        {"Speed Test", {across, reopened, draggedBack, pastTheEdges, reopened, restarted}},
        {"Diagnostics Export", {pastTheEdges, reopened}},
        {"Speed Test",
         {slowlyDraggedAcross, slowlyDraggedBack, draggedAcross, draggedBack, maximisedAcross}},
        // Small enough for the monitor of twice the scale in either arrangement.
        {"Pelmor Settings",
         {slowlyDraggedAcross, slowlyDraggedBack, draggedAcross, draggedBack, maximisedAcross}},
    };
    for (const auto& row : rows) {
        const QString title = QString::fromLatin1(row.title);
        const auto windowNamed = [&] {
            for (const PelmorWindow& window : pelmorWindows(*delegate->menuBarController())) {
                if (window.title == title) {
                    return window;
                }
            }
            return PelmorWindow{};
        };
        // On `screen` (any, where none is given) at `size` (at `frame`, where
        // it is given), in no state, the frame saved the one shown, the middle
        // of its title bar on the screen.
        const auto isAt = [&](const QScreen* screen, QSize size, std::optional<QRect> frame) {
            const QWidget* window = shown(title);
            return window != nullptr && isFramed(title) &&
                   window->screen() == (screen != nullptr ? screen : window->screen()) &&
                   holdsStates(xcb_window_t(window->winId()), {}) && window->size() == size &&
                   window->geometry() == frame.value_or(window->geometry()) &&
                   savedFrame(windowNamed().frameName) == window->geometry() &&
                   window->screen()->availableGeometry().contains(
                       QPoint(window->frameGeometry().center().x(), window->frameGeometry().top()));
        };
        const auto describeOn = [&] {
            const QWidget* window = shown(title);
            return describe(title) + " on " +
                   (window != nullptr ? window->screen()->name().toStdString() : "none") +
                   ", saved " + testing::PrintToString(savedFrame(windowNamed().frameName));
        };
        SCOPED_TRACE(row.title);
        ASSERT_TRUE(windowNamed().pick());
        ASSERT_TRUE(processEventsUntil(
            [&] {
                const QWidget* opened = shown(title);
                return opened != nullptr && !opened->windowHandle()->frameMargins().isNull();
            },
            5'000))
            << describeOn();
        DesktopSession::pumpFor(FrameKeeping::placementMilliseconds);
        // Whole on the monitor it is shown on.
        EXPECT_TRUE(processEventsUntil(
            [&] {
                const QWidget* opened = shown(title);
                return opened != nullptr && isAt(opened->screen(), opened->size(), std::nullopt) &&
                       opened->screen()->availableGeometry().contains(opened->frameGeometry());
            },
            3'000))
            << "first shown: " << describeOn();
        QScreen* const first = shown(title)->screen();
        QScreen* const other = screens[screens[0] == first ? 1 : 0];
        const QSize size = shown(title)->size();
        const QSize frameSize = shown(title)->frameGeometry().size();
        const auto fits = [&](const QScreen* screen) {
            const QSize room = screen->availableGeometry().size();
            return frameSize.width() <= room.width() && frameSize.height() <= room.height();
        };
        if (!fits(other)) {
            std::cout << row.title << " cannot fit on " << other->name().toStdString()
                      << ": left out\n";
            shown(title)->close();
            continue;
        }
        QScreen* screen = first;
        for (const Move move : row.moves) {
            SCOPED_TRACE(moveNames[int(move)]);
            std::optional<QRect> frame;
            const QRect before = shown(title)->frameGeometry();
            const QMargins margins = shown(title)->windowHandle()->frameMargins();
            switch (move) {
            case across:
                screen = other;
                moveTo(title, other->geometry().topLeft() + QPoint(80, 60));
                break;
            case pastTheEdges: {
                // A quarter of its frame past each edge, at its size there.
                screen = other;
                const QSize device = frameSize * other->devicePixelRatio();
                moveTo(title, deviceArea(other).bottomRight() -
                                  QPoint(device.width() * 3 / 4, device.height() * 3 / 4));
                break;
            }
            case reopened:
                // Pulled onto its monitor where it was left past an edge.
                frame = WindowFrameAutosave::constrained(before, {screen->availableGeometry()})
                            .marginsRemoved(margins);
                sendToWindowManager(xcbWindow(title), "_NET_CLOSE_WINDOW", {0, fromPager});
                EXPECT_TRUE(processEventsUntil([&] { return !shown(title); }, 3'000));
                EXPECT_TRUE(windowNamed().pick());
                break;
            case draggedAcross:
            case draggedBack:
            case slowlyDraggedAcross:
            case slowlyDraggedBack: {
                screen = move == draggedAcross || move == slowlyDraggedAcross ? other : first;
                const QWidget* dragged = shown(title);
                const QPoint to = QPoint(screen->availableGeometry().center().x(),
                                         screen->availableGeometry().top() + 40);
                // At the border, at the height it is grabbed at.
                const QPoint border(screens[1]->geometry().left(),
                                    devicePoint(before.topLeft()).y() + margins.top() / 2);
                // A press that comes before the window manager takes the
                // window under the pointer starts no drag (seen beside busy
                // loops): the drag is made again while the window has not
                // moved at all.
                for (int attempt = 0; attempt < 3 && dragged->frameGeometry() == before;
                     ++attempt) {
                    DesktopSession::pumpFor(300);
                    EXPECT_TRUE(dragTo(title, to, border,
                                       move == slowlyDraggedAcross || move == slowlyDraggedBack))
                        << "the drag did not end within 30 s";
                    processEventsUntil([&] { return dragged->frameGeometry() != before; }, 2'000);
                }
                break;
            }
            case maximisedAcross: {
                // Maximised on the left monitor, moved to the right one and
                // left wherever the manager puts it back once un-maximised.
                QScreen* const from = screens[0];
                QScreen* const to = screens[1];
                screen = nullptr;
                if (shown(title)->screen() != from) {
                    moveTo(title, from->geometry().topLeft() + QPoint(300, 200));
                    EXPECT_TRUE(processEventsUntil([&] { return isAt(from, size, {}); }, 3'000))
                        << "moved to maximise: " << describeOn();
                }
                changeState(xcbWindow(title), adding, maximised);
                EXPECT_TRUE(processEventsUntil([&] { return shown(title)->isMaximized(); }, 3'000))
                    << describeOn();
                moveTo(title, to->geometry().topLeft() + QPoint(80, 60));
                EXPECT_TRUE(processEventsUntil(
                    [&] { return shown(title)->screen() == to && shown(title)->isMaximized(); },
                    3'000))
                    << "moved maximised: " << describeOn();
                changeState(xcbWindow(title), removing, maximised);
                break;
            }
            case restarted:
                frame = shown(title)->geometry();
                restartPelmor();
                EXPECT_TRUE(windowNamed().pick());
                break;
            }
            // And stays so.
            const bool isThere =
                processEventsUntil([&] { return isAt(screen, size, frame); }, 3'000);
            if (isThere) {
                DesktopSession::pumpFor(FrameKeeping::settleMilliseconds * 2);
            }
            EXPECT_TRUE(isThere && isAt(screen, size, frame))
                << describeOn() << ", not on "
                << (screen != nullptr ? screen->name().toStdString() : "either") << " at "
                << testing::PrintToString(size) << " "
                << testing::PrintToString(frame.value_or(QRect()));
        }
        shown(title)->close();
    }
}

// Pelmor's windows under tiling window managers, which hold each window at
// its tile whatever it asks: placing ends within its bound, the tile is saved
// as shown, and then Pelmor leaves the manager alone. What it sends the X
// server is counted by the sequence numbers of its requests.
class TilingWindowManagerEndToEndTest : public WindowFrameEndToEndTest {};

TEST_P(TilingWindowManagerEndToEndTest, AWindowIsLeftAtItsTileOncePlaced) {
    ASSERT_NO_FATAL_FAILURE(startPelmor());
    // Opened as the toolbox and the menu open them.
    delegate->menuBarController()->openToolWindow(ToolWindowKind::speedTest);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        for (QAction* action : widget->actions()) {
            if (action->text() == QStringLiteral("Settings…")) {
                action->trigger();
            }
        }
    }
    for (const PelmorWindow& window : pelmorWindows(*delegate->menuBarController())) {
        if (window.title != SettingsWindow::title && window.title != "Speed Test") {
            continue;
        }
        EXPECT_TRUE(processEventsUntil(
            [&] {
                const QWidget* placed = shown(window.title);
                return placed != nullptr && isViewable(xcb_window_t(placed->winId())) &&
                       XcbRequests::rootGeometry(XcbRequests::qtConnection(),
                                                 xcb_window_t(placed->winId())) ==
                           placed->geometry() &&
                       savedFrame(window.frameName) == placed->geometry();
            },
            FrameKeeping::placementMilliseconds + 3'000))
            << window.title.toStdString() << ": " << describe(window.title) << ", shown "
            << testing::PrintToString(
                   XcbRequests::rootGeometry(XcbRequests::qtConnection(), xcbWindow(window.title))
                       .value_or(QRect()))
            << ", saved " << testing::PrintToString(savedFrame(window.frameName));
    }
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto nextSequence = [connection] {
        const unsigned int sequence = xcb_get_input_focus(connection).sequence;
        xcb_discard_reply(connection, sequence);
        return sequence;
    };
    const unsigned int first = nextSequence();
    DesktopSession::pumpFor(10'000);
    EXPECT_LT(nextSequence() - first - 1, 10U) << "X requests in 10 s once placed";
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, WindowFrameEndToEndTest,
                         testing::Values("openbox", "xfwm4", "jwm", "awesome"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

INSTANTIATE_TEST_SUITE_P(WindowManagers, TilingWindowManagerEndToEndTest,
                         testing::Values("i3", "bspwm"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });
