#include "Support/TestRuntime.h"

Date TestRuntime::startDate() {
    // 2026-01-01T00:00:00Z
    return Date(std::chrono::seconds(1'767'225'600));
}

TestRuntime::TestRuntime()
    : executor_(std::make_shared<ManualExecutor>()),
      clock_(std::make_shared<VirtualClock>(*executor_, startDate())), runtime_(executor_, clock_) {
}
