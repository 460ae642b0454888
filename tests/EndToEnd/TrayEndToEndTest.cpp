#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/DisplayServerCompositingChecker.h"
#include "Platform/AppKit/PopoverWindow.h"
#include "Platform/AppKit/Tray/StatusItem.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Support/EventLoopWait.h"
#include "UI/ContentView.h"
#include "UI/Dashboard/DashboardModel.h"
#include "UI/Popover/ChannelInfoPopover.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRegion>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

using DesktopSession::clickAt;
using DesktopSession::pumpFor;
using DesktopSession::saveScreenshot;

namespace {

// What the window's state tells the window manager: that it has no place in
// the taskbar nor the pager.
bool skipsTaskbarAndPager(const QWidget& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto atom = [&](const char* name) { return XcbRequests::internAtom(connection, name); };
    const std::vector<std::uint32_t> states = XcbRequests::property32(
        connection, static_cast<xcb_window_t>(window.windowHandle()->winId()),
        atom("_NET_WM_STATE"));
    return std::ranges::find(states, atom("_NET_WM_STATE_SKIP_TASKBAR")) != states.end() &&
           std::ranges::find(states, atom("_NET_WM_STATE_SKIP_PAGER")) != states.end();
}

} // namespace

// Pelmor in a real X session (Xvfb) with a tray host: simulated Wi-Fi, the
// real tool root and a loopback ping target.
class TrayEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
        }
        if (!DesktopSession::programsInstalled({"trayer", "xdotool"})) {
            GTEST_SKIP() << "Skipped: trayer and xdotool are not installed.";
        }
        DesktopSession::startTray(tray);
        const XEmbedTraySelection trays;
        ASSERT_TRUE(processEventsUntil([&] { return trays.hasOwner(); }, 10'000));
        ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    }

    void TearDown() override {
        tray.kill();
        tray.waitForFinished(2000);
    }

    QProcess tray;
    QTemporaryDir configHome;
};

TEST_F(TrayEndToEndTest, TheTrayIconOpensThePopoverWithTheLiveNetwork) {
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    auto delegate = AppDelegate::create(makeApplicationEnvironment());
    delegate->applicationDidFinishLaunching();
    auto& menuBar = *delegate->menuBarController();
    ASSERT_NE(menuBar.statusItem(), nullptr);
    ASSERT_TRUE(
        processEventsUntil([&] { return !menuBar.statusItem()->geometry().isEmpty(); }, 10'000))
        << "the tray icon never appeared";
    pumpFor(20'000);
    saveScreenshot(QStringLiteral("tray.png"));

    const QPoint icon = menuBar.statusItem()->geometry().center();
    ASSERT_TRUE(clickAt(icon));
    ASSERT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000))
        << "the click opened nothing";
    pumpFor(1'000);
    saveScreenshot(QStringLiteral("popover.png"));
    EXPECT_TRUE(skipsTaskbarAndPager(menuBar.popover())) << "the popover";

    auto* content = qobject_cast<ContentView*>(menuBar.popover().content());
    ASSERT_NE(content, nullptr);
    ChannelInfoPopover bubble(content);
    bubble.setText(QStringLiteral("Channel 36"));
    bubble.presentBelow(content);
    EXPECT_TRUE(skipsTaskbarAndPager(bubble)) << "the bubble";
    bubble.hide();
    const auto dashboard = DashboardModel::content(content->dashboardInputs());
    ASSERT_TRUE(dashboard.wifiSnapshot.has_value());
    EXPECT_EQ(dashboard.wifiSnapshot->ssid, QStringLiteral(PELMOR_SIMULATED_SSID));
    const bool showsLatency = dashboard.latencyLines[0].value.contains(QStringLiteral("ms")) ||
                              dashboard.latencyLines[1].value.contains(QStringLiteral("ms"));
    EXPECT_TRUE(showsLatency) << dashboard.latencyLines[0].value.toStdString() << " / "
                              << dashboard.latencyLines[1].value.toStdString();

    ASSERT_TRUE(clickAt(icon));
    EXPECT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000))
        << "a second click left the popover open";

    // The tray reports a double-click as a click and then a double-click:
    // it toggles the popover once.
    pumpFor(1'000);
    ASSERT_TRUE(clickAt(icon, 2));
    pumpFor(1'500);
    EXPECT_TRUE(menuBar.isPopoverShown()) << "a double-click opened and closed the popover";
    delegate->applicationWillTerminate();
}

// Xvfb composites nothing until a compositing manager starts: without one the
// popover is shaped to its rounded panel, with one it is only transparent.
// Either way the desktop shows through beside the panel.
TEST_F(TrayEndToEndTest, ThePopoverIsShapedToItsPanelUnlessACompositorRuns) {
    if (!DesktopSession::programsInstalled({"xcompmgr"})) {
        GTEST_SKIP() << "Skipped: xcompmgr is not installed.";
    }
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    auto delegate = AppDelegate::create(makeApplicationEnvironment());
    delegate->applicationDidFinishLaunching();
    auto& menuBar = *delegate->menuBarController();
    ASSERT_TRUE(
        processEventsUntil([&] { return !menuBar.statusItem()->geometry().isEmpty(); }, 10'000));
    // The tray lays its icons out after embedding them.
    pumpFor(3'000);
    const QPoint icon = menuBar.statusItem()->geometry().center();
    const DisplayServerCompositingChecker checker;
    QProcess compositor;
    for (const bool compositing : {false, true}) {
        SCOPED_TRACE(compositing ? "with a compositor" : "without one");
        if (compositing) {
            compositor.start(QStringLiteral("xcompmgr"), {});
        }
        ASSERT_TRUE(
            processEventsUntil([&] { return checker.isCompositing() == compositing; }, 5'000));
        pumpFor(500);
        const QImage desktop = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        ASSERT_TRUE(clickAt(icon));
        ASSERT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000));
        pumpFor(500);
        saveScreenshot(compositing ? QStringLiteral("popover-composited.png")
                                   : QStringLiteral("popover-shaped.png"));
        // The shape the display server is given: the window's, which may
        // differ from the widget's.
        const QRegion mask = menuBar.popover().windowHandle()->mask();
        EXPECT_EQ(mask.isEmpty(), compositing);
        EXPECT_EQ(mask.contains(QPoint(200, 300)), !compositing);
        EXPECT_FALSE(mask.contains(QPoint(17, 1))) << "outside its corner";
        const QPoint beside = menuBar.popover().mapToGlobal(QPoint(8, 300));
        EXPECT_EQ(QGuiApplication::primaryScreen()->grabWindow(0).toImage().pixel(beside),
                  desktop.pixel(beside))
            << "beside the panel the desktop does not show through";
        ASSERT_TRUE(clickAt(icon));
        ASSERT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000));
        pumpFor(500);
    }
    compositor.kill();
    compositor.waitForFinished(2000);
    delegate->applicationWillTerminate();
}
