#include "Platform/Async/EventLoopExecutor.h"

#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/EventLoopWait.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>

TEST(EventLoopExecutorTest, JobsRunOnALaterTurnInOrderAndPostsFromABatchWaitForTheNext) {
    auto executor = std::make_shared<Async::EventLoopExecutor>();
    std::vector<std::string> log;
    executor->post([&] {
        log.push_back("first");
        executor->post([&] { log.push_back("posted by first"); });
    });
    executor->post([&] { log.push_back("second"); });
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "posted by first"}));
}

TEST(EventLoopExecutorTest, JobsPostedFromOtherThreadsRunOnTheLoopThread) {
    auto executor = std::make_shared<Async::EventLoopExecutor>();
    std::thread::id ranOn;
    std::thread poster([&] { executor->post([&] { ranOn = std::this_thread::get_id(); }); });
    poster.join();
    EXPECT_TRUE(processEventsUntil([&] { return ranOn != std::thread::id(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(EventLoopExecutorTest, CloseDropsPendingAndLaterJobs) {
    auto executor = std::make_shared<Async::EventLoopExecutor>();
    int ran = 0;
    executor->post([&] { ++ran; });
    executor->close();
    executor->post([&] { ++ran; });
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ran, 0);
}

TEST(EventLoopExecutorTest, DrivesTasksAndTheirSleepsOnTheRealEventLoop) {
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    std::vector<int> wakes;
    for (int milliseconds : {30, 10, 20}) {
        Async::spawn([&, milliseconds]() -> Async::Task<void> {
            co_await Async::sleep(static_cast<std::uint64_t>(milliseconds) * 1'000'000);
            wakes.push_back(milliseconds);
        });
    }
    EXPECT_TRUE(processEventsUntil([&] { return wakes.size() == 3; }));
    EXPECT_EQ(wakes, (std::vector<int>{10, 20, 30}));
}
