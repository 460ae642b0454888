#include "Platform/Async/ChildTasks.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr std::uint64_t oneSecond = 1'000'000'000;

Async::Task<int> valueAfter(double seconds, int value, std::vector<std::string>& log) {
    co_await Async::sleep(static_cast<std::uint64_t>(seconds * 1e9));
    log.push_back("finished " + std::to_string(value));
    co_return value;
}

Async::Task<int> failAfter(double seconds, std::string message, std::vector<std::string>& log) {
    co_await Async::sleep(static_cast<std::uint64_t>(seconds * 1e9));
    log.push_back("failed " + message);
    throw std::runtime_error(message);
}

Async::Task<int> sleepRecordingCancellation(std::vector<std::string>& log) {
    try {
        co_await Async::sleep(100 * oneSecond);
    } catch (const Async::CancellationError&) {
        log.push_back("sibling cancelled");
        throw;
    }
    co_return 0;
}

} // namespace

class ChildTasksTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::vector<std::string> log;
};

TEST_F(ChildTasksTest, PairRunsConcurrentlyAndYieldsValuesInArgumentOrder) {
    auto handle = Async::spawn([&]() -> Async::Task<std::tuple<int, int>> {
        co_return co_await Async::whenAll(valueAfter(2.0, 1, log), valueAfter(1.0, 2, log));
    });
    runtime.advance(2.0);
    ASSERT_TRUE(handle.isFinished());
    EXPECT_EQ(runtime.runToCompletion(
                  [&]() -> Async::Task<std::tuple<int, int>> { co_return co_await handle.join(); }),
              std::make_tuple(1, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"finished 2", "finished 1"}));
    EXPECT_EQ(runtime.clock().elapsedNanoseconds(), 2 * oneSecond) << "children did not overlap";
}

TEST_F(ChildTasksTest, FirstErrorCancelsTheSiblingAndWaitsForItBeforeRethrowing) {
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::whenAll(sleepRecordingCancellation(log), failAfter(1.0, "early", log),
                                    failAfter(2.0, "late", log));
        } catch (const std::runtime_error& error) {
            log.push_back(std::string("caught ") + error.what());
        }
    });
    runtime.advance(1.0);
    EXPECT_EQ(log, (std::vector<std::string>{"failed early", "sibling cancelled", "caught early"}));
    EXPECT_TRUE(handle.isFinished());
}

TEST_F(ChildTasksTest, ChildrenAreCancelledWithTheirParent) {
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::child(sleepRecordingCancellation(log));
        } catch (const Async::CancellationError&) {
            log.push_back("parent saw cancellation");
        }
    });
    runtime.runUntilIdle();
    handle.cancel();
    runtime.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"sibling cancelled", "parent saw cancellation"}));
}

TEST_F(ChildTasksTest, ACancelledChildDoesNotCancelItsParent) {
    const bool parentCancelled = runtime.runToCompletion([&]() -> Async::Task<bool> {
        try {
            co_await Async::child([]() -> Async::Task<void> {
                throw Async::CancellationError();
                co_return;
            });
        } catch (const Async::CancellationError&) {
        }
        co_return Async::isCancelled();
    });
    EXPECT_FALSE(parentCancelled);
}

TEST_F(ChildTasksTest, SingleChildReturnsItsValueAndVoidChildrenJoin) {
    int value = 0;
    bool voidChildRan = false;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        value = co_await Async::child(valueAfter(0.5, 9, log));
        co_await Async::whenAll([&]() -> Async::Task<void> {
            voidChildRan = true;
            co_return;
        });
    });
    runtime.advance(0.5);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(value, 9);
    EXPECT_TRUE(voidChildRan);
}
