#include "Support/ConnectionTableFormatter.h"

#include <gtest/gtest.h>

using tools::formatConnectionTable;
using tools::parseProcNetTcp;
using tools::ProcTcpTable;

namespace {

// Kernel tables as a little-endian machine prints them.
constexpr auto procNetTcp =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout "
    "inode\n"
    "   0: 0100007F:0277 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 "
    "16123 1 0000000000000000 100 0 0 10 0\n"
    "   1: 020200C0:C5A2 076433C6:01BB 01 00000010:00000200 02:000A3D6E 00000000  1000        0 "
    "40211 2 0000000000000000 20 4 30 10 -1\n"
    "   2: 020200C0:C5A8 097100CB:0050 06 00000000:00000000 03:00001234 00000000     0        0 "
    "0 3 0000000000000000\n"
    "   3: 0100007F:1538 0100007F:A028 08 00000000:00000000 00:00000000 00000000   105        0 "
    "40999 1 0000000000000000 20 4 1 10 -1\n"
    "   4: 020200C0:C5B0 097100CB:0050 02 00000001:00000000 01:00000064 00000002  1000        0 "
    "41000 2 0000000000000000 200 0 0 10 -1\n";

constexpr auto procNetTcp6 =
    "  sl  local_address                         remote_address                        st "
    "tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
    "   0: 00000000000000000000000000000000:0016 00000000000000000000000000000000:0000 0A "
    "00000000:00000000 00:00000000 00000000     0        0 17000 1 0000000000000000 100 0 0 10 0\n"
    "   1: 0000000000000000FFFF0000020200C0:1F90 0000000000000000FFFF0000146433C6:C738 01 "
    "00000000:00000000 02:00000100 00000000  1000        0 42000 1 0000000000000000 20 4 30 10 -1\n"
    "   2: B80D0120000000000000000002000000:01BB B80D0120000000000000000099000000:EA60 01 "
    "00000000:00000000 02:00000100 00000000     0        0 42001 1 0000000000000000 20 4 30 10 -1\n"
    "   3: B80D0120000000000000000002000000:01BB B80D0120000000000000000098000000:EA61 09 "
    "00000001:00000000 01:00000020 00000000     0        0 0 1 0000000000000000 20 4 0 10 -1\n";

std::string formattedSamples() {
    auto sockets = parseProcNetTcp(procNetTcp, ProcTcpTable::ipv4);
    const auto ipv6Sockets = parseProcNetTcp(procNetTcp6, ProcTcpTable::ipv6);
    sockets.insert(sockets.end(), ipv6Sockets.begin(), ipv6Sockets.end());
    return formatConnectionTable(sockets);
}

} // namespace

TEST(ConnectionTableFormatterTest, FormatsKernelTablesAsTheBsdConnectionTable) {
    EXPECT_EQ(formattedSamples(),
              "Active Internet connections\n"
              "Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)\n"
              "tcp4     512     16  192.0.2.2.50594        198.51.100.7.443       ESTABLISHED\n"
              "tcp4       0      0  192.0.2.2.50600        203.0.113.9.80         TIME_WAIT\n"
              "tcp4       0      0  127.0.0.1.5432         127.0.0.1.41000        CLOSE_WAIT\n"
              "tcp4       0      1  192.0.2.2.50608        203.0.113.9.80         SYN_SENT\n"
              "tcp4       0      0  192.0.2.2.8080         198.51.100.20.51000    ESTABLISHED\n"
              "tcp6       0      0  2001:db8::2.443        2001:db8::99.60000     ESTABLISHED\n"
              "tcp6       0      1  2001:db8::2.443        2001:db8::98.60001     LAST_ACK\n");
}

TEST(ConnectionTableFormatterTest, LongAddressesWidenTheirColumnAndKeepTheStateLast) {
    tools::TcpSocket socket;
    socket.local.address = {0x20, 0x01, 0x0d, 0xb8, 0x12, 0x34, 0x56, 0x78,
                            0x9a, 0xbc, 0xde, 0xf0, 0x12, 0x34, 0x56, 0x78};
    socket.local.port = 50000;
    socket.remote.address = socket.local.address;
    socket.remote.port = 443;
    socket.state = 6;

    EXPECT_EQ(formatConnectionTable({socket}),
              "Active Internet connections\n"
              "Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)\n"
              "tcp6       0      0  2001:db8:1234:5678:9abc:def0:1234:5678.50000 "
              "2001:db8:1234:5678:9abc:def0:1234:5678.443 TIME_WAIT\n");
}

TEST(ConnectionTableFormatterTest, StateWithoutABsdNameIsShownAsItsNumber) {
    tools::TcpSocket socket;
    socket.local.address = tools::mappedIPv4({127, 0, 0, 1});
    socket.local.port = 1;
    socket.remote = socket.local;
    socket.state = 13;

    const auto table = formatConnectionTable({socket});

    EXPECT_TRUE(table.ends_with(" 13\n")) << table;
}
