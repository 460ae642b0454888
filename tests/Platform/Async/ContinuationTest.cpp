#include "Platform/Async/Continuation.h"

#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <thread>

class ContinuationTest : public testing::Test {
protected:
    TestRuntime runtime;
};

TEST_F(ContinuationTest, ResumeFromAnotherThreadContinuesOnTheMainThreadOnce) {
    std::optional<Async::Continuation<int>> continuation;
    int value = 0;
    std::thread::id resumedOn;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        value = co_await Async::withContinuation<int>(
            [&](Async::Continuation<int> given) { continuation = given; });
        resumedOn = std::this_thread::get_id();
    });
    runtime.runUntilIdle();
    ASSERT_TRUE(continuation.has_value());
    bool firstAccepted = false;
    bool secondAccepted = true;
    std::thread resumer([&] {
        firstAccepted = continuation->resume(5);
        secondAccepted = continuation->resume(6);
    });
    resumer.join();
    EXPECT_TRUE(firstAccepted);
    EXPECT_FALSE(secondAccepted);
    EXPECT_EQ(value, 0) << "resumed inline on the resuming thread";
    ASSERT_TRUE(runtime.executor().runUntil([&] { return handle.isFinished(); }));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(resumedOn, std::this_thread::get_id());
}

TEST_F(ContinuationTest, ResumeThrowingRethrowsInTheTask) {
    EXPECT_THROW(runtime.runToCompletion([]() -> Async::Task<void> {
        co_await Async::withContinuation<void>([](Async::Continuation<void> given) {
            given.resumeThrowing(std::make_exception_ptr(std::runtime_error("no")));
            given.resume();
        });
    }),
                 std::runtime_error);
}
