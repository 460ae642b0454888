#include "Support/InterfaceRouter.h"

#include <gtest/gtest.h>

using tools::interfaceRouter;
using tools::IPv4Address;
using tools::IPv4Route;

namespace {

constexpr unsigned up = 0x1;
constexpr unsigned upViaGateway = 0x3;

IPv4Route defaultRoute(std::string interfaceName, IPv4Address gateway, unsigned metric,
                       unsigned flags = upViaGateway) {
    return {std::move(interfaceName), {0, 0, 0, 0}, 0, gateway, flags, metric};
}

} // namespace

TEST(InterfaceRouterTest, TheInterfacesDefaultRouteWithTheLowestMetricGivesTheRouter) {
    const std::vector<IPv4Route> routes{
        defaultRoute("eth0", {192, 0, 2, 1}, 100),
        defaultRoute("wlan0", {192, 168, 1, 254}, 700),
        defaultRoute("wlan0", {192, 168, 1, 1}, 600),
        defaultRoute("wlan0", {192, 168, 1, 2}, 600),
    };

    EXPECT_EQ(interfaceRouter(routes, "wlan0"), (IPv4Address{192, 168, 1, 1}));
    EXPECT_EQ(interfaceRouter(routes, "eth0"), (IPv4Address{192, 0, 2, 1}));
}

TEST(InterfaceRouterTest, RoutesThatAreNotDefaultRoutesViaAGatewayGiveNoRouter) {
    const std::vector<IPv4Route> routes{
        {"wlan0", {192, 168, 1, 0}, 24, {192, 168, 1, 1}, upViaGateway, 0},
        defaultRoute("wlan0", {0, 0, 0, 0}, 0, up),
        defaultRoute("wlan0", {192, 168, 1, 1}, 0, 0x2),
        defaultRoute("eth0", {192, 0, 2, 1}, 0),
    };

    EXPECT_EQ(interfaceRouter(routes, "wlan0"), std::nullopt);
    EXPECT_EQ(interfaceRouter(routes, "wlan1"), std::nullopt);
}
