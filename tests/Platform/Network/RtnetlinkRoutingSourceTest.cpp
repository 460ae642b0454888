#include "Platform/Network/RtnetlinkRoutingSource.h"

#include "Support/NetworkNamespaceEntry.h"
#include "Support/TestNetworkNamespace.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

// The kernel's own routing state, in a network namespace the test builds: two
// veth pairs, pm0 (192.0.2.2/24, peer 192.0.2.1) and pm1 (198.51.100.2/24).
class RtnetlinkRoutingSourceTest : public testing::Test {
protected:
    void SetUp() override {
        const QString whyNot = network.create();
        if (!whyNot.isEmpty()) {
            GTEST_SKIP() << "Skipped: network namespaces are refused here (" << whyNot.toStdString()
                         << ").";
        }
    }

    // A source whose sockets belong to the test's namespace.
    std::unique_ptr<RtnetlinkRoutingSource> makeSource() const {
        const NetworkNamespaceEntry entry(network.name());
        EXPECT_TRUE(entry.isEntered());
        return std::make_unique<RtnetlinkRoutingSource>();
    }

    void addVethPair(const QString& name, const QString& address) const {
        const QString peer = name + QStringLiteral("p");
        network.ip({"link", "add", name, "type", "veth", "peer", "name", peer});
        network.ip({"addr", "add", address, "dev", name});
        network.ip({"link", "set", name, "up"});
        network.ip({"link", "set", peer, "up"});
    }

    // Whether the source reports a change within `timeout`. A wait that times
    // out is ended through interrupt(), which ends the source's use.
    static bool changeArrivesWithin(RtnetlinkRoutingSource& source,
                                    std::chrono::milliseconds timeout) {
        auto waited = std::async(std::launch::async, [&] { return source.waitForChange(); });
        if (waited.wait_for(timeout) == std::future_status::timeout) {
            source.interrupt();
            waited.get();
            return false;
        }
        return waited.get();
    }

    // Waits until the kernel has sent every notification of earlier steps
    // (nothing for 300 ms), so that a fresh source sees only what follows.
    void settle() const {
        const auto source = makeSource();
        while (changeArrivesWithin(*source, 300ms)) {
        }
    }

    // Reads the state until `condition` holds (a carrier comes up a moment
    // after the link).
    RoutingState readStateUntil(RtnetlinkRoutingSource& source,
                                const std::function<bool(const RoutingState&)>& condition) const {
        RoutingState state;
        for (int attempt = 0; attempt < 100; ++attempt) {
            state = source.readState();
            if (condition(state)) {
                break;
            }
            std::this_thread::sleep_for(50ms);
        }
        return state;
    }

    static const NetworkLink* findLink(const RoutingState& state, const QString& name) {
        const auto found = std::find_if(state.links.begin(), state.links.end(),
                                        [&](const NetworkLink& link) { return link.name == name; });
        return found == state.links.end() ? nullptr : &*found;
    }

    TestNetworkNamespace network;
};

TEST_F(RtnetlinkRoutingSourceTest, ReadsTheLinksOfItsOwnNamespace) {
    const auto source = makeSource();
    RoutingState state = source->readState();
    const NetworkLink* loopback = findLink(state, QStringLiteral("lo"));
    ASSERT_NE(loopback, nullptr);
    EXPECT_TRUE(loopback->isLoopback);
    EXPECT_TRUE(loopback->isUp);
    EXPECT_EQ(findLink(state, QStringLiteral("eth0")), nullptr) << "the host's links leaked in";
    EXPECT_TRUE(state.defaultRoutes.empty());

    addVethPair(QStringLiteral("pm0"), QStringLiteral("192.0.2.2/24"));
    state = readStateUntil(*source, [](const RoutingState& current) {
        const NetworkLink* link = findLink(current, QStringLiteral("pm0"));
        return link && link->isRunning;
    });
    const NetworkLink* veth = findLink(state, QStringLiteral("pm0"));
    ASSERT_NE(veth, nullptr);
    EXPECT_EQ(*veth, (NetworkLink{network.interfaceIndex(QStringLiteral("pm0")),
                                  QStringLiteral("pm0"), true, true, false}));

    network.ip({"link", "set", "pm0p", "down"});
    state = readStateUntil(*source, [](const RoutingState& current) {
        const NetworkLink* link = findLink(current, QStringLiteral("pm0"));
        return link && !link->isRunning;
    });
    EXPECT_FALSE(findLink(state, QStringLiteral("pm0"))->isRunning) << "the peer's carrier is gone";
    EXPECT_TRUE(findLink(state, QStringLiteral("pm0"))->isUp);
}

TEST_F(RtnetlinkRoutingSourceTest, ReadsOnlyUnicastDefaultRoutesOfTheMainTable) {
    addVethPair(QStringLiteral("pm0"), QStringLiteral("192.0.2.2/24"));
    addVethPair(QStringLiteral("pm1"), QStringLiteral("198.51.100.2/24"));
    const int pm0 = network.interfaceIndex(QStringLiteral("pm0"));
    const int pm1 = network.interfaceIndex(QStringLiteral("pm1"));
    network.ip({"route", "add", "default", "via", "192.0.2.1", "dev", "pm0", "metric", "50"});
    network.ip({"route", "add", "default", "metric", "60", "nexthop", "via", "192.0.2.1", "dev",
                "pm0", "nexthop", "via", "198.51.100.1", "dev", "pm1"});
    network.ip({"-6", "route", "add", "default", "dev", "pm1", "metric", "7"});
    network.ip({"route", "add", "default", "via", "198.51.100.1", "dev", "pm1", "table", "100"});
    network.ip({"route", "add", "unreachable", "default", "metric", "5"});
    network.ip({"route", "add", "203.0.113.0/24", "via", "192.0.2.1", "dev", "pm0"});

    const auto state = makeSource()->readState();
    EXPECT_EQ(state.defaultRoutes,
              (std::vector<DefaultRoute>{{DefaultRoute::Family::ipv4, 50, {pm0}},
                                         {DefaultRoute::Family::ipv4, 60, {pm0, pm1}},
                                         {DefaultRoute::Family::ipv6, 7, {pm1}}}));
}

TEST_F(RtnetlinkRoutingSourceTest, WakesForLinkAddressAndRouteChanges) {
    const QList<QStringList> changes{
        {"link", "add", "pm0", "type", "veth", "peer", "name", "pm0p"},
        {"link", "set", "pm0", "up"},
        {"addr", "add", "192.0.2.2/24", "dev", "pm0"},
        {"-6", "addr", "add", "2001:db8::2/64", "dev", "pm0", "nodad"},
        {"route", "add", "default", "via", "192.0.2.1", "dev", "pm0"},
        {"route", "del", "default"},
        {"link", "set", "pm0", "down"},
    };
    for (const QStringList& change : changes) {
        settle();
        const auto source = makeSource();
        ASSERT_TRUE(network.ip(change));
        EXPECT_TRUE(changeArrivesWithin(*source, 5s)) << change.join(u' ').toStdString();
    }
}

TEST_F(RtnetlinkRoutingSourceTest, AnInterruptEndsTheWaitingAndEveryLaterWait) {
    const auto source = makeSource();
    auto waited = std::async(std::launch::async, [&] { return source->waitForChange(); });
    std::this_thread::sleep_for(50ms);
    source->interrupt();
    ASSERT_EQ(waited.wait_for(5s), std::future_status::ready);
    EXPECT_FALSE(waited.get());
    network.ip({"link", "add", "pm0", "type", "veth", "peer", "name", "pm0p"});
    EXPECT_FALSE(source->waitForChange());
    EXPECT_FALSE(source->readState().links.empty()) << "reading still works after an interrupt";
}
