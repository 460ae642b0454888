#include "Platform/AppKit/Tray/StatusNotifierRegistration.h"

#include "Support/EventLoopWait.h"
#include "Support/FakeStatusNotifierWatcher.h"
#include "Support/PrivateSessionBus.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// How long registration goes on trying with one watcher, and a little more.
constexpr int triesTime =
    StatusNotifierRegistration::retryInterval * (StatusNotifierRegistration::maxAttempts + 1);

} // namespace

// Watchers come and go on a private bus: each lists the item once, by the
// one name the item keeps, whether it serves at once or only a while after
// taking its name, and whether it came before the item or after.
TEST(StatusNotifierRegistrationTest, EachWatcherGetsTheItemOnceUnderItsOneName) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection itemConnection = bus.connect();
    const QString itemName = itemConnection.baseService();
    StatusNotifierRegistration registration(itemConnection, itemName);

    struct Watcher {
        const char* name;
        int servesAfter; // milliseconds after taking its name; -1: before
    };
    const Watcher watchers[] = {
        {"there before the item", -1},
        {"serving at once", -1},
        {"serving 1.2 s after taking its name", 1'200},
    };
    for (const Watcher& row : watchers) {
        SCOPED_TRACE(row.name);
        auto watcher = std::make_unique<FakeStatusNotifierWatcher>(bus.connect());
        ASSERT_TRUE(watcher->takeName());
        if (row.servesAfter < 0) {
            ASSERT_TRUE(watcher->serve());
        } else {
            processEventsUntil([] { return false; }, row.servesAfter);
            ASSERT_TRUE(watcher->serve());
        }
        registration.start(); // only the first call starts
        EXPECT_TRUE(
            processEventsUntil([&] { return !watcher->registrations().isEmpty(); }, triesTime));
        processEventsUntil([] { return false; }, triesTime);
        EXPECT_EQ(watcher->registrations(), QStringList{itemName});
    }
}
