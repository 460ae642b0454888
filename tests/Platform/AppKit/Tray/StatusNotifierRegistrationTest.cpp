#include "Platform/AppKit/Tray/StatusNotifierRegistration.h"

#include "Support/EventLoopWait.h"
#include "Support/FakeStatusNotifierWatcher.h"
#include "Support/PrivateSessionBus.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Watchers come and go on a private bus: each lists the item once, by the
// one name the item keeps, whether it serves at once or only a while after
// taking its name (however long it holds the name meanwhile), and whether it
// came before the item or after. The registration tells when it holds and
// when the watcher has gone.
TEST(StatusNotifierRegistrationTest, EachWatcherGetsTheItemOnceUnderItsOneName) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection itemConnection = bus.connect();
    const QString itemName = itemConnection.baseService();
    StatusNotifierRegistration registration(itemConnection, itemName);
    QList<bool> told;
    QObject::connect(&registration, &StatusNotifierRegistration::registeredChanged,
                     [&] { told.append(registration.isRegistered()); });

    struct Watcher {
        const char* name;
        int servesAfter; // milliseconds after taking its name; -1: before
    };
    const Watcher watchers[] = {
        {"there before the item", -1},
        {"serving at once", -1},
        {"serving 1.2 s after taking its name", 1'200},
        {"serving 5.5 s after taking its name", 5'500},
    };
    for (const Watcher& row : watchers) {
        SCOPED_TRACE(row.name);
        told.clear();
        auto watcher = std::make_unique<FakeStatusNotifierWatcher>(bus.connect());
        ASSERT_TRUE(watcher->takeName());
        if (row.servesAfter >= 0) {
            processEventsUntil([] { return false; }, row.servesAfter);
        }
        ASSERT_TRUE(watcher->serve());
        registration.start(); // only the first call starts
        EXPECT_TRUE(
            processEventsUntil([&] { return registration.isRegistered(); },
                               row.servesAfter + 2 * StatusNotifierRegistration::longestPause));
        EXPECT_EQ(watcher->registrations(), QStringList{itemName});
        watcher.reset();
        EXPECT_TRUE(processEventsUntil([&] { return !registration.isRegistered(); }, 5'000));
        EXPECT_EQ(told, (QList<bool>{true, false}));
    }
}
