#include "Support/InterfaceFlags.h"

#include <gtest/gtest.h>
#include <net/if.h>

using tools::bsdInterfaceFlags;
using tools::describeBsdInterfaceFlags;

TEST(InterfaceFlagsTest, SharedBitsAreKeptMulticastMovesAndLinuxOnlyBitsAreDropped) {
    EXPECT_EQ(bsdInterfaceFlags(IFF_UP | IFF_BROADCAST | IFF_RUNNING | IFF_MULTICAST), 0x8043u);
    EXPECT_EQ(bsdInterfaceFlags(IFF_UP | IFF_LOOPBACK | IFF_RUNNING), 0x49u);
    EXPECT_EQ(
        bsdInterfaceFlags(IFF_POINTOPOINT | IFF_NOARP | IFF_PROMISC | IFF_ALLMULTI | IFF_DEBUG),
        0x394u);
    EXPECT_EQ(bsdInterfaceFlags(IFF_MASTER | IFF_SLAVE | IFF_PORTSEL | IFF_AUTOMEDIA | IFF_DYNAMIC |
                                IFF_NOTRAILERS),
              0u);
}

TEST(InterfaceFlagsTest, DescriptionIsTheHexadecimalValueAndTheNamesInBitOrder) {
    EXPECT_EQ(describeBsdInterfaceFlags(0x8043), "8043<UP,BROADCAST,RUNNING,MULTICAST>");
    EXPECT_EQ(describeBsdInterfaceFlags(0x80d1), "80d1<UP,POINTOPOINT,RUNNING,NOARP,MULTICAST>");
    EXPECT_EQ(describeBsdInterfaceFlags(0), "0<>");
}
