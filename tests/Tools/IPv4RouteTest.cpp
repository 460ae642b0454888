#include "Support/IPv4Route.h"

#include <gtest/gtest.h>

using tools::IPv4Route;
using tools::parseProcNetRoute;

TEST(IPv4RouteTest, ReadsEveryFieldOfARow) {
    const auto routes = parseProcNetRoute(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t0000A8C0\t0101A8C0\t0003\t0\t0\t20100\tF0FFFFFF\t0\t0\t0\n");

    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0], (IPv4Route{"eth0", {192, 168, 0, 0}, 28, {192, 168, 1, 1}, 3, 20100}));
}

TEST(IPv4RouteTest, SkipsTheHeaderAndRowsThatAreNotOfTheKernelShape) {
    const auto routes = parseProcNetRoute(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t010200C0\t0003\t0\t0\t0\n"
        "eth0\t0000000G\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
        "eth0\t00000000\t010200C0\t0003\t0\t0\t-1\t00000000\t0\t0\t0\n"
        "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "\n");

    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0].destination, (tools::IPv4Address{192, 0, 2, 0}));
}

TEST(IPv4RouteTest, EmptyTextHasNoRoutes) {
    EXPECT_TRUE(parseProcNetRoute("").empty());
}
