#include "Support/PingInvocation.h"

#include <gtest/gtest.h>

using tools::hostPing6Arguments;
using tools::hostPingArguments;
using Arguments = std::vector<std::string>;

TEST(PingInvocationTest, WaitInMillisecondsBecomesIputilsWaitInSeconds) {
    EXPECT_EQ(hostPingArguments({"-c", "2", "-W", "1500", "192.168.1.1"}),
              (Arguments{"-4", "-n", "-c", "2", "-W", "1.5", "192.168.1.1"}));
    EXPECT_EQ(hostPingArguments({"-c", "1", "-W", "2000", "one.one.one.one"}),
              (Arguments{"-4", "-n", "-c", "1", "-W", "2", "one.one.one.one"}));
    EXPECT_EQ(hostPingArguments({"-c", "1", "-W", "1", "10.0.0.1"}),
              (Arguments{"-4", "-n", "-c", "1", "-W", "0.001", "10.0.0.1"}));
    EXPECT_EQ(hostPingArguments({"-c", "3", "-W", "1050", "10.0.0.1"}),
              (Arguments{"-4", "-n", "-c", "3", "-W", "1.05", "10.0.0.1"}));
}

TEST(PingInvocationTest, PingRefusesEveryOtherShape) {
    const std::vector<Arguments> refused{
        {},
        {"127.0.0.1"},
        {"-c", "2", "127.0.0.1"},
        {"-W", "1500", "-c", "2", "127.0.0.1"},
        {"-c", "0", "-W", "1500", "127.0.0.1"},
        {"-c", "2", "-W", "0", "127.0.0.1"},
        {"-c", "-2", "-W", "1500", "127.0.0.1"},
        {"-c", "2", "-W", "1.5", "127.0.0.1"},
        {"-c", "2", "-W", "1500", "-f"},
        {"-c", "2", "-W", "1500", ""},
        {"-c", "2", "-W", "1500", "127.0.0.1", "extra"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(hostPingArguments(arguments), std::nullopt) << testing::PrintToString(arguments);
    }
}

TEST(PingInvocationTest, Ping6PinsIPv6AndCarriesNoWait) {
    EXPECT_EQ(hostPing6Arguments({"-c", "2", "fe80::1%wlan0"}),
              (Arguments{"-6", "-n", "-c", "2", "fe80::1%wlan0"}));
}

TEST(PingInvocationTest, Ping6RefusesEveryOtherShape) {
    const std::vector<Arguments> refused{
        {},
        {"::1"},
        {"-c", "2", "-W", "1500", "::1"},
        {"-c", "0", "::1"},
        {"-c", "x", "::1"},
        {"-c", "2", "-6"},
        {"-c", "2", "::1", "extra"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(hostPing6Arguments(arguments), std::nullopt) << testing::PrintToString(arguments);
    }
}
