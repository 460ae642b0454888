#include "Support/IPv6Route.h"

#include <gtest/gtest.h>

using tools::IPv6Route;
using tools::parseProcNetIPv6Route;

TEST(IPv6RouteTest, ReadsEveryFieldOfARowWithNumbersInHexadecimal) {
    const auto routes =
        parseProcNetIPv6Route("20010db8000100000000000000000000 30 "
                              "00000000000000000000000000000000 00 "
                              "fe80000000000000021122fffe334455 00000400 00000001 00000000 "
                              "00000003  wlan0\n");

    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0], (IPv6Route{"wlan0",
                                    {0x20, 0x01, 0x0d, 0xb8, 0x00, 0x01},
                                    48,
                                    {0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0x02, 0x11, 0x22, 0xff, 0xfe,
                                     0x33, 0x44, 0x55},
                                    3,
                                    1024}));
}

TEST(IPv6RouteTest, SkipsRowsThatAreNotOfTheKernelShape) {
    const auto routes = parseProcNetIPv6Route(
        // too few fields
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00\n"
        // short address
        "0000000000000000000000000000001 80 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 00000000 00000002 00000000 80200001 lo\n"
        // prefix length beyond 128
        "00000000000000000000000000000001 81 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 00000000 00000002 00000000 80200001 lo\n"
        "00000000000000000000000000000001 80 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 00000000 00000002 00000000 80200001 lo\n");

    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0].prefixLength, 128);
    EXPECT_EQ(routes[0].interfaceName, "lo");
}
