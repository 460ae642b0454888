#include "Support/NetstatInvocation.h"

#include <gtest/gtest.h>

using tools::NetstatReport;
using tools::netstatReportFor;
using Arguments = std::vector<std::string>;

TEST(NetstatInvocationTest, EachHandledInvocationSelectsItsReport) {
    EXPECT_EQ(netstatReportFor({"-n", "-p", "tcp"}), NetstatReport::tcpConnections);
    EXPECT_EQ(netstatReportFor({"-rn", "-f", "inet"}), NetstatReport::ipv4RoutingTable);
    EXPECT_EQ(netstatReportFor({"-rn", "-f", "inet6"}), NetstatReport::ipv6RoutingTable);
}

TEST(NetstatInvocationTest, RefusesEveryOtherShape) {
    const std::vector<Arguments> refused{
        {},
        {"-rn"},
        {"-an", "-p", "tcp"},
        {"-n", "-p", "udp"},
        {"-p", "tcp", "-n"},
        {"-r", "-n", "-f", "inet"},
        {"-rn", "-f", "link"},
        {"-rn", "-f", "inet", "-n"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(netstatReportFor(arguments), std::nullopt) << testing::PrintToString(arguments);
    }
}
