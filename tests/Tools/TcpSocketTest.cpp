#include "Support/TcpSocket.h"

#include <gtest/gtest.h>

using tools::parseProcNetTcp;
using tools::ProcTcpTable;
using tools::TcpSocket;

// Samples as a little-endian machine prints them.

TEST(TcpSocketTest, ReadsEndpointsStateAndQueuesOfAnIPv4Row) {
    const auto sockets = parseProcNetTcp(
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid\n"
        "   7: 0100007F:9C40 0A00000A:FFFF 08 0000002A:00010000 00:00000000 00000000     0\n",
        ProcTcpTable::ipv4);

    ASSERT_EQ(sockets.size(), 1u);
    EXPECT_EQ(sockets[0], (TcpSocket{{tools::mappedIPv4({127, 0, 0, 1}), 40000},
                                     {tools::mappedIPv4({10, 0, 0, 10}), 65535},
                                     8,
                                     42,
                                     65536}));
}

TEST(TcpSocketTest, ReadsIPv6AddressesAsFourNativeWords) {
    const auto sockets =
        parseProcNetTcp("   0: 000080FE00000000FF000000FE000000:0016 "
                        "B80D0120000000000000000001000000:C000 01 00000000:00000000\n",
                        ProcTcpTable::ipv6);

    ASSERT_EQ(sockets.size(), 1u);
    EXPECT_EQ(sockets[0].local.address,
              (tools::IPv6Address{0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0, 0, 0, 0xfe}));
    EXPECT_EQ(sockets[0].remote.address,
              (tools::IPv6Address{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(TcpSocketTest, SkipsRowsThatAreNotOfTheKernelShape) {
    const auto sockets = parseProcNetTcp(
        // no row number
        "0100007F:0016 0100007F:C000 01 00000000:00000000\n"
        // port beyond 16 bits
        "   1: 0100007F:10000 0100007F:C000 01 00000000:00000000\n"
        // address of the other family
        "   2: 00000000000000000000000001000000:0016 0100007F:C000 01 00000000:00000000\n"
        // queues without their separator
        "   3: 0100007F:0016 0100007F:C000 01 0000000000000000\n"
        "   4: 0100007F:0016 0100007F:C000 01 00000000:00000000\n",
        ProcTcpTable::ipv4);

    ASSERT_EQ(sockets.size(), 1u);
    EXPECT_EQ(sockets[0].local.port, 22);
}
