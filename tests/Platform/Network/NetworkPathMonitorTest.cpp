#include "Platform/Network/NetworkPathMonitor.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <system_error>

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace std::chrono_literals;

// A routing state the test changes; the monitor's thread reads and waits on it.
class FakeRoutingStateSource final : public RoutingStateSource {
public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        RoutingState state;
        int pendingChanges = 0;
        bool isInterrupted = false;
        bool failsReads = false;
        int readCount = 0;

        void change(RoutingState newState) {
            {
                std::lock_guard lock(mutex);
                state = std::move(newState);
                ++pendingChanges;
            }
            changed.notify_all();
        }

        bool waitForReads(int count) {
            std::unique_lock lock(mutex);
            return changed.wait_for(lock, 10s, [&] { return readCount >= count; });
        }
    };

    explicit FakeRoutingStateSource(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    RoutingState readState() override {
        std::lock_guard lock(shared_->mutex);
        ++shared_->readCount;
        shared_->changed.notify_all();
        if (shared_->failsReads) {
            throw std::system_error(EPERM, std::generic_category(), "refused");
        }
        return shared_->state;
    }

    bool waitForChange() override {
        std::unique_lock lock(shared_->mutex);
        shared_->changed.wait(
            lock, [this] { return shared_->isInterrupted || shared_->pendingChanges > 0; });
        if (shared_->isInterrupted) {
            return false;
        }
        shared_->pendingChanges = 0;
        return true;
    }

    void interrupt() override {
        {
            std::lock_guard lock(shared_->mutex);
            shared_->isInterrupted = true;
        }
        shared_->changed.notify_all();
    }

private:
    std::shared_ptr<Shared> shared_;
};

// Paths as the handler received them, with the thread they came on.
class PathRecorder {
public:
    void record(const NetworkPath& path) {
        {
            std::lock_guard lock(mutex_);
            paths_.push_back(path);
            threads_.push_back(std::this_thread::get_id());
        }
        arrived_.notify_all();
    }

    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, 10s, [&] { return paths_.size() >= count; });
    }

    std::vector<NetworkPath> paths() {
        std::lock_guard lock(mutex_);
        return paths_;
    }

    std::vector<std::thread::id> threads() {
        std::lock_guard lock(mutex_);
        return threads_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<NetworkPath> paths_;
    std::vector<std::thread::id> threads_;
};

const NetworkLink wlan0{3, QStringLiteral("wlan0"), true, true, false};
const RoutingState offlineState{{wlan0}, {}};
const RoutingState onlineState{{wlan0}, {{DefaultRoute::Family::ipv4, 100, {3}}}};

} // namespace

class NetworkPathMonitorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(sysfs.filePath(QStringLiteral("class/net/wlan0/wireless"))));
        source->state = offlineState;
        monitor->setPathUpdateHandler([this](const NetworkPath& path) { recorder.record(path); });
    }

    QTemporaryDir sysfs;
    std::shared_ptr<FakeRoutingStateSource::Shared> source =
        std::make_shared<FakeRoutingStateSource::Shared>();
    std::unique_ptr<NetworkPathMonitor> monitor =
        std::make_unique<NetworkPathMonitor>(std::make_unique<FakeRoutingStateSource>(source),
                                             SysfsInterfaceTypeClassifier(sysfs.path()));
    PathRecorder recorder;
};

TEST_F(NetworkPathMonitorTest, ReportsTheCurrentPathThenOneForEachChangeOnItsOwnThread) {
    monitor->start();
    ASSERT_TRUE(recorder.waitFor(1));
    source->change(onlineState);
    ASSERT_TRUE(recorder.waitFor(2));
    source->change(offlineState);
    ASSERT_TRUE(recorder.waitFor(3));
    monitor->cancel();

    const NetworkPath offline{NetworkPathStatus::unsatisfied, {}};
    const NetworkPath overWiFi{NetworkPathStatus::satisfied,
                               {{QStringLiteral("wlan0"), NetworkInterfaceType::wifi}}};
    EXPECT_EQ(recorder.paths(), (std::vector<NetworkPath>{offline, overWiFi, offline}));
    for (const auto thread : recorder.threads()) {
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

TEST_F(NetworkPathMonitorTest, OnceCancelReturnsTheHandlerIsNotRunningAndNeverRunsAgain) {
    std::atomic<bool> isHandlerRunning = false;
    std::atomic<bool> hasEnteredHandler = false;
    monitor->setPathUpdateHandler([&](const NetworkPath& path) {
        isHandlerRunning = true;
        hasEnteredHandler = true;
        std::this_thread::sleep_for(50ms);
        recorder.record(path);
        isHandlerRunning = false;
    });
    monitor->start();
    while (!hasEnteredHandler) {
        std::this_thread::yield();
    }
    monitor->cancel();
    EXPECT_FALSE(isHandlerRunning);
    source->change(onlineState);
    monitor->start();
    EXPECT_EQ(recorder.paths().size(), 1u);
    EXPECT_EQ(source->readCount, 1);
}

TEST_F(NetworkPathMonitorTest, StartsOneThreadOnly) {
    monitor->start();
    monitor->start();
    ASSERT_TRUE(recorder.waitFor(1));
    monitor->cancel();
    EXPECT_EQ(source->readCount, 1);
    EXPECT_EQ(recorder.paths().size(), 1u);
}

TEST_F(NetworkPathMonitorTest, CancelBeforeStartStartsNothing) {
    monitor->cancel();
    monitor->start();
    monitor.reset();
    EXPECT_EQ(source->readCount, 0);
}

TEST_F(NetworkPathMonitorTest, AFailingSourceEndsTheWatchWithoutAPath) {
    source->failsReads = true;
    monitor->start();
    ASSERT_TRUE(source->waitForReads(1));
    source->change(onlineState);
    monitor->cancel();
    EXPECT_TRUE(recorder.paths().empty());
    EXPECT_EQ(source->readCount, 1);
}

TEST_F(NetworkPathMonitorTest, DestroyingAStartedMonitorEndsItsThread) {
    monitor->start();
    ASSERT_TRUE(recorder.waitFor(1));
    monitor.reset();
    source->change(onlineState);
    EXPECT_EQ(recorder.paths().size(), 1u);
}
