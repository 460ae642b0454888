#include "Support/TestRuntime.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

Date TestRuntime::startDate() {
    // 2026-01-01T00:00:00Z
    return Date(std::chrono::seconds(1'767'225'600));
}

TestRuntime::TestRuntime()
    : executor_(std::make_shared<ManualExecutor>()),
      clock_(std::make_shared<VirtualClock>(*executor_, startDate())), runtime_(executor_, clock_) {
}

bool TestRuntime::pumpUntil(const std::function<bool()>& condition, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (true) {
        runUntilIdle();
        if (condition()) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
}
