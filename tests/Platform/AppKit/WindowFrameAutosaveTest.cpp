#include "Platform/AppKit/WindowFrameAutosave.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

class WindowFrameAutosaveTest : public testing::Test {
protected:
    QTemporaryDir directory;
    QSettings settings{directory.filePath("frames.ini"), QSettings::IniFormat};
};

TEST_F(WindowFrameAutosaveTest, ASavedFrameOnScreenIsRestored) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setGeometry(QRect(screen.topLeft() + QPoint(20, 30), QSize(300, 200)));
    WindowFrameAutosave::save(window, "pelmor.speedTest.windowFrame", settings);
    QWidget reopened;
    EXPECT_TRUE(WindowFrameAutosave::restore(reopened, "pelmor.speedTest.windowFrame", settings));
    EXPECT_EQ(reopened.geometry(), window.geometry());
    EXPECT_FALSE(
        WindowFrameAutosave::restore(reopened, "pelmor.channelScan.windowFrame", settings));
}

TEST_F(WindowFrameAutosaveTest, AFrameOffEveryScreenIsNotRestored) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    settings.setValue("WindowFrames/pelmor.speedTest.windowFrame",
                      QRect(screen.right() + 500, screen.bottom() + 500, 300, 200));
    QWidget window;
    window.resize(300, 200);
    EXPECT_FALSE(WindowFrameAutosave::restore(window, "pelmor.speedTest.windowFrame", settings));
    WindowFrameAutosave::centre(window);
    EXPECT_EQ(window.geometry().center(), screen.center());
}
