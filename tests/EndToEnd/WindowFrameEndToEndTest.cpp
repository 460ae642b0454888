#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/WindowFrameAutosave.h"
#include "Support/EventLoopWait.h"

#include <gtest/gtest.h>
#include <memory>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

namespace {

const QString frameName = QStringLiteral("pelmor.speedTest.windowFrame");

// Where a window was left on a monitor, above and left of this one, that has
// since gone.
const QRect leftOffTheTopLeft(-1070, -670, 640, 480);

} // namespace

// Kept windows under a real window manager (openbox), whose frame puts a
// title bar above the client area and which leaves a window where it is
// asked to be: the whole frame comes back on the screen, so that the title
// bar can be reached.
class WindowFrameEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
        }
        ASSERT_TRUE(DesktopSession::programsInstalled({"openbox"})) << "openbox is not installed";
        windowManager.start(QStringLiteral("openbox"), {});
        ASSERT_TRUE(windowManager.waitForStarted(5'000));
        // Running once it frames a window.
        QWidget probe;
        probe.show();
        ASSERT_TRUE(processEventsUntil(
            [&] { return !probe.windowHandle()->frameMargins().isNull(); }, 10'000))
            << "openbox framed no window";
    }

    void TearDown() override {
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

    static std::unique_ptr<QWidget> openKeptWindow(const std::shared_ptr<QSettings>& frames) {
        auto window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Speed Test"));
        window->resize(leftOffTheTopLeft.size());
        WindowFrameAutosave::restoreOrCentre(*window, frameName, frames.get());
        WindowFrameAutosave::keep(*window, frameName, frames);
        window->show();
        return window;
    }

    // Maximizes or un-maximizes the window as a user does, by a double-click
    // on its title bar; whether it then is as asked.
    static bool doubleClickTitleBar(QWidget& window, bool maximized) {
        const QRect frame = window.frameGeometry();
        const int titleBarHeight = window.geometry().top() - frame.top();
        DesktopSession::clickAt({frame.center().x(), frame.top() + titleBarHeight / 2}, 2);
        return processEventsUntil([&] { return window.isMaximized() == maximized; }, 3'000);
    }

    QProcess windowManager;
    QTemporaryDir directory;
};

TEST_F(WindowFrameEndToEndTest, AWindowLeftOffTheTopLeftComesBackWithItsWholeFrame) {
    const auto frames =
        std::make_shared<QSettings>(directory.filePath("frames.ini"), QSettings::IniFormat);
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

TEST_F(WindowFrameEndToEndTest, AWindowClosedMaximizedComesBackMaximizedAndUnMaximizesToItsFrame) {
    const auto frames =
        std::make_shared<QSettings>(directory.filePath("frames.ini"), QSettings::IniFormat);
    const QRect saved(200, 120, 640, 480);
    frames->setValue(QStringLiteral("WindowFrames/") + frameName, saved);
    auto window = openKeptWindow(frames);
    ASSERT_TRUE(showsItsWholeFrame(*window));
    ASSERT_TRUE(doubleClickTitleBar(*window, true)) << "openbox maximized nothing";

    window->close();
    window->show();
    ASSERT_TRUE(processEventsUntil([&] { return window->isMaximized(); }, 3'000))
        << "reopened unmaximized";
    DesktopSession::pumpFor(300);
    ASSERT_TRUE(doubleClickTitleBar(*window, false));
    processEventsUntil([&] { return window->geometry() == saved; }, 3'000);
    EXPECT_EQ(window->geometry(), saved)
        << "un-maximized to " << window->width() << "x" << window->height() << " at " << window->x()
        << "," << window->y();
}
