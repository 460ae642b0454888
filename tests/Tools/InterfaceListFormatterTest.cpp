#include "Support/InterfaceListFormatter.h"

#include <gtest/gtest.h>
#include <net/if.h>

using tools::formatInterfaceList;
using tools::NetworkInterface;

namespace {

NetworkInterface loopback() {
    return {"lo",
            1,
            IFF_UP | IFF_LOOPBACK | IFF_RUNNING,
            65536,
            {{{127, 0, 0, 1}, {255, 0, 0, 0}, std::nullopt, std::nullopt}},
            {{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 128}}};
}

NetworkInterface wireless() {
    return {"wlan0",
            3,
            IFF_UP | IFF_BROADCAST | IFF_RUNNING | IFF_MULTICAST,
            1500,
            {{{192, 168, 1, 23},
              {255, 255, 255, 0},
              tools::IPv4Address{192, 168, 1, 255},
              std::nullopt}},
            {{{0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0x1c, 0x8a, 0, 0xff, 0xfe, 0, 0, 0x42}, 64},
             {{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x23}, 64}}};
}

NetworkInterface tunnel(unsigned flags) {
    return {"tun0",
            17,
            flags,
            1420,
            {{{10, 8, 0, 2}, {255, 255, 255, 255}, std::nullopt, tools::IPv4Address{10, 8, 0, 1}}},
            {{{0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02}, 64}}};
}

constexpr unsigned upTunnelFlags = IFF_UP | IFF_POINTOPOINT | IFF_RUNNING | IFF_NOARP;

} // namespace

TEST(InterfaceListFormatterTest, ListsEachInterfaceWithItsFlagsMtuAndAddresses) {
    EXPECT_EQ(formatInterfaceList({loopback(), wireless()}),
              "lo: flags=49<UP,LOOPBACK,RUNNING> mtu 65536\n"
              "\tinet 127.0.0.1 netmask 0xff000000\n"
              "\tinet6 ::1 prefixlen 128\n"
              "wlan0: flags=8043<UP,BROADCAST,RUNNING,MULTICAST> mtu 1500\n"
              "\tinet 192.168.1.23 netmask 0xffffff00 broadcast 192.168.1.255\n"
              "\tinet6 fe80::1c8a:ff:fe00:42%wlan0 prefixlen 64 scopeid 0x3\n"
              "\tinet6 2001:db8::23 prefixlen 64\n");
}

TEST(InterfaceListFormatterTest, UpTunnelIsListedUnderItsBsdNameWithItsPeer) {
    EXPECT_EQ(formatInterfaceList({tunnel(upTunnelFlags)}),
              "utun17: flags=d1<UP,POINTOPOINT,RUNNING,NOARP> mtu 1420\n"
              "\tinet 10.8.0.2 --> 10.8.0.1 netmask 0xffffffff\n"
              "\tinet6 fe80::2%utun17 prefixlen 64 scopeid 0x11\n");
}

TEST(InterfaceListFormatterTest, DownTunnelKeepsItsLinuxName) {
    const auto list = formatInterfaceList({tunnel(IFF_POINTOPOINT | IFF_NOARP)});

    EXPECT_TRUE(list.starts_with("tun0: flags=90<POINTOPOINT,NOARP> mtu 1420\n")) << list;
}

TEST(InterfaceListFormatterTest, InterfaceWithoutAddressesIsItsHeaderLineAlone) {
    const NetworkInterface interface {
        "eth1", 4, IFF_BROADCAST | IFF_MULTICAST, 1500, {}, {}
    };

    EXPECT_EQ(formatInterfaceList({interface}), "eth1: flags=8002<BROADCAST,MULTICAST> mtu 1500\n");
}
