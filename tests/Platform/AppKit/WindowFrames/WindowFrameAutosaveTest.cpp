#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"

#include "Platform/Foundation/PreferenceFile.h"

#include <gtest/gtest.h>
#include <memory>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

class WindowFrameAutosaveTest : public testing::Test {
protected:
    QTemporaryDir directory;
    std::shared_ptr<PreferenceFile> settings =
        std::make_shared<PreferenceFile>(directory.filePath("frames.ini"));
};

TEST_F(WindowFrameAutosaveTest, AFrameIsShrunkAndMovedIntoTheScreenItOverlapsMost) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1055), QRect(1920, 0, 1280, 1024)};
    const struct {
        const char* what;
        QRect frame;
        QRect expected;
    } cases[] = {
        {"inside", QRect(100, 50, 900, 600), QRect(100, 50, 900, 600)},
        {"on the second screen", QRect(2000, 40, 800, 600), QRect(2000, 40, 800, 600)},
        {"huge", QRect(0, 0, 30000, 30000), QRect(0, 0, 1920, 1055)},
        {"huge, far up and left", QRect(-5000, -5000, 32767, 32767), QRect(0, 0, 1920, 1055)},
        {"past the bottom right", QRect(1500, 900, 800, 600), QRect(1120, 455, 800, 600)},
        {"mostly on the second screen", QRect(1800, 900, 800, 600), QRect(1920, 424, 800, 600)},
        {"off every screen", QRect(9000, -9000, 300, 200), QRect(1620, 0, 300, 200)},
        {"past the int range", QRect(QPoint(2147483000, 10), QPoint(2147483647, 109)),
         QRect(1272, 10, 648, 100)},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        EXPECT_EQ(WindowFrameAutosave::constrained(testCase.frame, screens), testCase.expected);
    }
    EXPECT_EQ(WindowFrameAutosave::constrained(QRect(5, 5, 50, 50), {}), QRect(5, 5, 50, 50));
}

// Screens of other scales: Qt's logical areas of a 1280x1024 screen at scale 1
// and of one at scale 2 right of it; a window that cannot shrink below 1082x701.
TEST_F(WindowFrameAutosaveTest, AFrameThatCannotShrinkGoesWhereItFitsElseKeepsItsTitleBarOn) {
    const QRect scaleOne(0, 0, 1280, 1024);
    const QRect scaleTwo(1280, 0, 640, 512);
    const QSize minimum(1082, 701);
    const struct {
        const char* what;
        QList<QRect> screens;
        QRect frame;
        QRect expected;
    } cases[] = {
        {"on the screen it does not fit",
         {scaleOne, scaleTwo},
         QRect(1641, 59, 540, 340),
         QRect(198, 59, 1082, 701)},
        {"off every screen",
         {scaleTwo, scaleOne},
         QRect(9000, -9000, 1082, 701),
         QRect(198, 0, 1082, 701)},
        {"on no screen it fits", {scaleTwo}, QRect(1641, 59, 1082, 701), QRect(838, 0, 1082, 701)},
        {"off the only screen, where it does not fit",
         {scaleTwo},
         QRect(-9000, 9000, 1082, 701),
         QRect(838, 0, 1082, 701)},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        EXPECT_EQ(WindowFrameAutosave::constrained(testCase.frame, testCase.screens, minimum),
                  testCase.expected);
    }

    // A fixed-size window larger than the screen, restored off it.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setFixedSize(screen.size() + QSize(200, 100));
    settings->setValue("WindowFrames/fixed", QRect(9000, -9000, 300, 200));
    WindowFrameAutosave::keep(window, QStringLiteral("fixed"), settings);
    window.show();
    EXPECT_EQ(window.frameGeometry().top(), screen.top());
    EXPECT_EQ(window.frameGeometry().right(), screen.right());
}

// Whatever size a window was seen at (Qt gives it the logical size of its
// device size on a screen of another scale), it is saved at one it can have.
TEST_F(WindowFrameAutosaveTest, ASavedFrameIsOneTheWindowCanHave) {
    QWidget fixed;
    fixed.setFixedSize(1080, 680);
    QWidget resizable;
    resizable.setMinimumSize(400, 300);
    resizable.setMaximumSize(1600, 1200);
    const struct {
        const char* what;
        const QWidget& window;
        QRect seen;
        QRect expected;
    } cases[] = {
        {"fixed, seen at half", fixed, QRect(1641, 59, 540, 340), QRect(1641, 59, 1080, 680)},
        {"fixed, seen at twice", fixed, QRect(10, 20, 2160, 1360), QRect(10, 20, 1080, 680)},
        {"fixed, at its size", fixed, QRect(10, 20, 1080, 680), QRect(10, 20, 1080, 680)},
        {"resizable, below its minimum", resizable, QRect(5, 6, 200, 150), QRect(5, 6, 400, 300)},
        {"resizable, above its maximum", resizable, QRect(5, 6, 3200, 900), QRect(5, 6, 1600, 900)},
        {"resizable, within", resizable, QRect(5, 6, 900, 700), QRect(5, 6, 900, 700)},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        EXPECT_EQ(WindowFrameAutosave::storableFrame(testCase.window, testCase.seen),
                  testCase.expected);
    }
}

// Put at its saved frame before it is shown (held to the screen first while
// no frame has been seen, as offscreen), else centred; held to the screen,
// its whole frame, once shown.
TEST_F(WindowFrameAutosaveTest, OnlyASavedFrameIsRestoredAndItLandsOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString name = QStringLiteral("pelmor.speedTest.windowFrame");
    const QSize size(300, 200);
    const QRect onScreen(screen.topLeft() + QPoint(20, 30), size);
    QRect centred({}, size);
    centred.moveCenter(screen.center());
    const struct {
        const char* what;
        QVariant stored;
        QRect expected;
    } cases[] = {
        {"a frame on screen", onScreen, onScreen},
        {"a huge frame", QRect(0, 0, 30000, 30000), screen},
        {"nothing", QVariant(), centred},
        {"a text", QStringLiteral("100,100,300,200"), centred},
        {"a number", 42, centred},
        {"an empty frame", QRect(10, 10, 0, 0), centred},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        settings->setValue("WindowFrames/" + name, testCase.stored);
        QWidget window;
        window.resize(size);
        WindowFrameAutosave::keep(window, name, settings);
        EXPECT_EQ(window.geometry(), testCase.expected);
        window.show();
        EXPECT_TRUE(screen.contains(window.frameGeometry()));
    }

    QWidget window;
    window.setGeometry(onScreen.translated(5, 5));
    WindowFrameAutosave::save(window, name, *settings);
    QWidget reopened;
    WindowFrameAutosave::keep(reopened, name, settings);
    EXPECT_EQ(reopened.geometry(), window.geometry());
}

// The whole frame is held, title bar and border included (the offscreen
// platform draws a frame of its own around every window).
TEST_F(WindowFrameAutosaveTest, AKeptWindowIsHeldToTheScreenEachTimeItIsShown) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(300, 200);
    const QRect onScreen(screen.topLeft() + QPoint(20, 30), size);
    const auto kept = std::make_shared<PreferenceFile>(directory.filePath("kept.ini"));
    const struct {
        const char* what;
        std::shared_ptr<PreferenceFile> settings;
        QRect left;
        // The edges of the screen the frame is moved against: x and y, -1 for
        // the left or top, 1 for the right or bottom, 0 where it stays.
        QPoint pushedTo;
    } cases[] = {
        {"on screen", kept, onScreen.translated(10, 10), {0, 0}},
        {"80 by 50 showing at the bottom right",
         kept,
         QRect(screen.bottomRight() - QPoint(79, 49), size),
         {1, 1}},
        {"on a screen that has gone",
         kept,
         QRect(screen.right() + 5000, onScreen.top(), 300, 200),
         {1, 0}},
        {"mostly past the right, nothing kept",
         nullptr,
         QRect(screen.right() - 20, onScreen.top(), 300, 200),
         {1, 0}},
        {"its title bar above the top left", kept, QRect(screen.topLeft(), size), {-1, -1}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        QWidget window;
        window.setGeometry(onScreen);
        WindowFrameAutosave::keep(window, QStringLiteral("pelmor.channelScan.windowFrame"),
                                  testCase.settings);
        window.show();
        window.setGeometry(testCase.left);
        window.close();
        window.show();
        const QRect frame = window.frameGeometry();
        ASSERT_NE(frame, window.geometry()) << "the window has no frame";
        EXPECT_EQ(window.size(), size);
        const auto expectedEdge = [](int pushedTo, int low, int high, int left) {
            return pushedTo < 0 ? low : pushedTo > 0 ? high : left;
        };
        const QMargins margins(
            window.geometry().left() - frame.left(), window.geometry().top() - frame.top(),
            frame.right() - window.geometry().right(), frame.bottom() - window.geometry().bottom());
        const QRect wanted = testCase.left.marginsAdded(margins);
        EXPECT_EQ(frame.left(), expectedEdge(testCase.pushedTo.x(), screen.left(),
                                             screen.right() - frame.width() + 1, wanted.left()));
        EXPECT_EQ(frame.top(), expectedEdge(testCase.pushedTo.y(), screen.top(),
                                            screen.bottom() - frame.height() + 1, wanted.top()));
    }

    // Restored from minimised by the window manager, not shown by Pelmor: it
    // stays where the user put it.
    QWidget window;
    WindowFrameAutosave::keep(window, QStringLiteral("pelmor.channelScan.windowFrame"), kept);
    window.show();
    const QRect partlyOffTheRight(screen.right() - 100, onScreen.top(), 300, 200);
    window.setGeometry(partlyOffTheRight);
    window.setWindowState(Qt::WindowMinimized);
    window.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(window.geometry(), partlyOffTheRight) << "restored from minimised";
}
