#include "Platform/AppKit/Tray/TrayPresence.h"

#include "Support/EventLoopWait.h"
#include "Support/FakeStatusNotifierWatcher.h"
#include "Support/PrivateSessionBus.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

// A desktop's watcher and hosts on a private bus, changed step by step: the
// presence follows the hosts themselves where the watcher does not tell,
// whether a host has a name of its own or registers by its connection's
// unique name only.
TEST(TrayPresenceTest, AHostCountsAsThereWhileItIsOnTheBus) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    auto watcher = std::make_unique<FakeStatusNotifierWatcher>(bus.connect());
    ASSERT_TRUE(watcher->takeName() && watcher->serve());
    TrayPresence presence(bus.connect());
    QDBusConnection panel = bus.connect();
    const QString hostName = u"org.kde.StatusNotifierHost-panel-1"_s;
    const auto hostComes = [&] {
        panel.registerService(hostName);
        watcher->setHostRegistered(true);
    };
    // Known by its unique name only, as xfce4-panel's host is.
    std::optional<QDBusConnection> unnamedHost;
    const auto unnamedHostComes = [&] {
        unnamedHost = bus.connect();
        watcher->setHostRegistered(true);
    };
    const auto unnamedHostLeaves = [&] {
        watcher->setHostRegistered(false, false);
        const QString connectionName = unnamedHost->name();
        unnamedHost.reset();
        QDBusConnection::disconnectFromBus(connectionName);
    };
    const auto watcherRestarts = [&](bool hostRegistered) {
        watcher.reset();
        watcher = std::make_unique<FakeStatusNotifierWatcher>(bus.connect());
        watcher->setHostRegistered(hostRegistered, false);
        ASSERT_TRUE(watcher->serve() && watcher->takeName());
    };

    // A peer of no account coming and going: the watcher is asked about it
    // only where a host known by its unique name is all that counts.
    const auto isAskedWhenAPeerLeaves = [&] {
        const int asked = watcher ? watcher->hostQuestions() : 0;
        QDBusConnection::disconnectFromBus(bus.connect().name());
        processEventsUntil([] { return false; }, 300);
        return watcher && watcher->hostQuestions() > asked;
    };

    struct Step {
        const char* what;
        std::function<void()> change;
        bool hostThere;
        bool askedWhenAPeerLeaves;
    };
    const Step steps[] = {
        {"no host yet", [] {}, false, false},
        {"a host known only to the watcher", [&] { watcher->setHostRegistered(true); }, true, true},
        {"the watcher says it went", [&] { watcher->setHostRegistered(false); }, false, false},
        {"a named host registers", hostComes, true, false},
        {"the host leaves the bus, the watcher says nothing",
         [&] { panel.unregisterService(hostName); }, false, false},
        {"a host known by its unique name registers after a named one left", unnamedHostComes, true,
         true},
        {"that host leaves the bus, the watcher says nothing", unnamedHostLeaves, false, false},
        {"a watcher comes that such a host registered with before", [&] { watcherRestarts(true); },
         true, true},
        {"a named host comes again", hostComes, true, false},
        {"the watcher restarts and does not hear from the host", [&] { watcherRestarts(false); },
         true, false},
        {"the watcher goes", [&] { watcher.reset(); }, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_TRUE(processEventsUntil(
            [&] { return presence.hasStatusNotifierHost() == step.hostThere; }, 5'000));
        // Settled: not passing through on its way elsewhere.
        processEventsUntil([] { return false; }, 100);
        EXPECT_EQ(presence.hasStatusNotifierHost(), step.hostThere);
        EXPECT_EQ(isAskedWhenAPeerLeaves(), step.askedWhenAPeerLeaves);
        EXPECT_EQ(presence.hasStatusNotifierHost(), step.hostThere);
    }
}
