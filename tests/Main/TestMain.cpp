#include <gtest/gtest.h>

#include <QApplication>

// Every test executable runs inside a QApplication (offscreen), so tests can
// use the event loop, processes, timers and widgets.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
