#include "Support/RoutingTableFormatter.h"

#include <gtest/gtest.h>
#include <map>

using tools::formatIPv4RoutingTable;
using tools::formatIPv6RoutingTable;
using tools::parseProcNetIPv6Route;
using tools::parseProcNetRoute;

namespace {

// /proc/net/route as a little-endian machine prints it.
constexpr auto procNetRoute =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
    "eth0\t00000000\t010200C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
    "wlan0\t0001A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n"
    "tun0\t0000080A\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n"
    "eth0\t0A0A0A0A\t010200C0\t0007\t0\t0\t0\tFFFFFFFF\t0\t0\t0\n"
    "eth0\t0000A8C0\t00000000\t0201\t0\t0\t0\t0000FFFF\t0\t0\t0\n";

constexpr auto procNetIPv6Route =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "fe800000000000000000000000000001 00000400 00000001 00000000 00000003     eth0\n"
    "20010db8000000000000000000000000 40 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 00000100 00000001 00000000 00000001     eth0\n"
    "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 00000100 00000001 00000000 00000001     eth0\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "20010db8000000000000000000000001 00000400 00000001 00000000 00000003     tun0\n"
    "00000000000000000000000000000001 80 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 00000000 00000002 00000000 80200001       lo\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";

unsigned sampleIndex(const std::string& interfaceName) {
    static const std::map<std::string, unsigned> indexes{
        {"lo", 1}, {"eth0", 2}, {"wlan0", 3}, {"tun0", 7}};
    const auto found = indexes.find(interfaceName);
    return found == indexes.end() ? 0 : found->second;
}

} // namespace

TEST(RoutingTableFormatterTest, FormatsTheIPv4KernelTableAsTheBsdRoutingTable) {
    EXPECT_EQ(formatIPv4RoutingTable(parseProcNetRoute(procNetRoute), sampleIndex),
              "Routing tables\n"
              "\n"
              "Internet:\n"
              "Destination        Gateway            Flags      Netif Expire\n"
              "default            192.168.1.1        UG         wlan0\n"
              "default            192.0.2.1          UG         eth0\n"
              "192.168.1.0/24     link#3             U          wlan0\n"
              "10.8.0.0/16        link#7             U          tun0\n"
              "10.10.10.10        192.0.2.1          UGH        eth0\n"
              "192.168.0.0/16     link#2             UR         eth0\n");
}

TEST(RoutingTableFormatterTest, FormatsTheIPv6KernelTableWithZonesOnLinkLocalAddresses) {
    EXPECT_EQ(formatIPv6RoutingTable(parseProcNetIPv6Route(procNetIPv6Route), sampleIndex),
              "Routing tables\n"
              "\n"
              "Internet6:\n"
              "Destination                             Gateway                                 "
              "Flags      Netif Expire\n"
              "default                                 fe80::1%eth0                            "
              "UG         eth0\n"
              "2001:db8::/64                           link#2                                  "
              "U          eth0\n"
              "fe80::%eth0/64                          link#2                                  "
              "U          eth0\n"
              "default                                 2001:db8::1                             "
              "UG         tun0\n"
              "::1                                     link#1                                  "
              "UH         lo\n"
              "default                                 link#1                                  "
              "R          lo\n");
}

TEST(RoutingTableFormatterTest, EmptyKernelTablesGiveTheHeadersOnly) {
    EXPECT_EQ(formatIPv4RoutingTable({}, sampleIndex),
              "Routing tables\n\nInternet:\n"
              "Destination        Gateway            Flags      Netif Expire\n");
    EXPECT_EQ(formatIPv6RoutingTable({}, sampleIndex),
              "Routing tables\n\nInternet6:\n"
              "Destination                             Gateway                                 "
              "Flags      Netif Expire\n");
}

TEST(RoutingTableFormatterTest, UnknownInterfaceGivesLinkZero) {
    tools::IPv4Route route;
    route.interfaceName = "gone0";
    route.destination = {198, 51, 100, 0};
    route.prefixLength = 24;
    route.flags = 0x1;

    const auto table = formatIPv4RoutingTable({route}, sampleIndex);

    EXPECT_TRUE(table.ends_with("198.51.100.0/24    link#0             U          gone0\n"))
        << table;
}
