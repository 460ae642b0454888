#include "Platform/Async/CancellationRegistration.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/TaskContext.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

TEST(CancellationRegistrationTest, HandlerRunsAtOnceWhenAlreadyCancelled) {
    auto context = Async::TaskContext::makeRoot();
    context->cancel();
    int calls = 0;
    Async::CancellationRegistration registration(context->token(), [&] { ++calls; });
    EXPECT_EQ(calls, 1);
}

TEST(CancellationRegistrationTest, HandlerRunsOnceOnTheCancellingThread) {
    auto context = Async::TaskContext::makeRoot();
    std::atomic<int> calls = 0;
    std::thread::id ranOn;
    Async::CancellationRegistration registration(context->token(), [&] {
        ++calls;
        ranOn = std::this_thread::get_id();
    });
    EXPECT_EQ(calls, 0);
    std::thread::id cancelledOn;
    std::thread canceller([&] {
        cancelledOn = std::this_thread::get_id();
        context->cancel();
        context->cancel();
    });
    canceller.join();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ranOn, cancelledOn);
}

TEST(CancellationRegistrationTest, ResetOrDestructionUnregisters) {
    auto context = Async::TaskContext::makeRoot();
    int calls = 0;
    {
        Async::CancellationRegistration destroyed(context->token(), [&] { ++calls; });
    }
    Async::CancellationRegistration reset(context->token(), [&] { ++calls; });
    reset.reset();
    context->cancel();
    EXPECT_EQ(calls, 0);
}

TEST(CancellationRegistrationTest, OnCancelRegistersOnTheCurrentTaskOnly) {
    int outsideCalls = 0;
    auto outside = Async::onCancel([&] { ++outsideCalls; });
    EXPECT_EQ(outsideCalls, 0);

    TestRuntime runtime;
    int insideCalls = 0;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        auto registration = Async::onCancel([&] { ++insideCalls; });
        co_await Async::withContinuation<void>(
            [](Async::Continuation<void> continuation) { continuation.resume(); });
        EXPECT_TRUE(Async::isCancelled());
        EXPECT_THROW(Async::checkCancellation(), Async::CancellationError);
    });
    handle.cancel();
    EXPECT_EQ(insideCalls, 0) << "registered before the task started";
    runtime.runUntilIdle();
    EXPECT_EQ(insideCalls, 1);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_FALSE(Async::isCancelled());
    EXPECT_NO_THROW(Async::checkCancellation());
}
