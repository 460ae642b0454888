#include "Support/TunnelInterfaceName.h"

#include <gtest/gtest.h>
#include <net/if.h>

using tools::bsdInterfaceName;

TEST(TunnelInterfaceNameTest, UpTunnelInterfacesTakeTheBsdTunnelNameWithTheirIndex) {
    EXPECT_EQ(bsdInterfaceName("tun0", 7, IFF_UP | IFF_POINTOPOINT), "utun7");
    EXPECT_EQ(bsdInterfaceName("tap1", 8, IFF_UP | IFF_BROADCAST), "utun8");
    EXPECT_EQ(bsdInterfaceName("wg0", 12, IFF_UP | IFF_NOARP), "utun12");
}

TEST(TunnelInterfaceNameTest, DownTunnelInterfacesKeepTheirNames) {
    EXPECT_EQ(bsdInterfaceName("tun0", 7, IFF_POINTOPOINT), "tun0");
    EXPECT_EQ(bsdInterfaceName("wg0", 12, 0), "wg0");
}

TEST(TunnelInterfaceNameTest, OtherInterfacesKeepTheirNames) {
    EXPECT_EQ(bsdInterfaceName("lo", 1, IFF_UP | IFF_LOOPBACK), "lo");
    EXPECT_EQ(bsdInterfaceName("wlan0", 3, IFF_UP), "wlan0");
    EXPECT_EQ(bsdInterfaceName("ppp0", 9, IFF_UP | IFF_POINTOPOINT), "ppp0");
    EXPECT_EQ(bsdInterfaceName("ipsec1", 10, IFF_UP), "ipsec1");
    EXPECT_EQ(bsdInterfaceName("eth0", 2, IFF_UP), "eth0");
}
