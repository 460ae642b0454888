#include "Support/IpconfigInvocation.h"

#include <gtest/gtest.h>

using tools::IpconfigQuery;
using tools::ipconfigQueryFor;
using Arguments = std::vector<std::string>;

TEST(IpconfigInvocationTest, EachHandledInvocationNamesItsQueryAndInterface) {
    EXPECT_EQ(ipconfigQueryFor({"getifaddr", "wlan0"}),
              (IpconfigQuery{IpconfigQuery::Kind::interfaceAddress, "wlan0"}));
    EXPECT_EQ(ipconfigQueryFor({"getoption", "wlp2s0", "router"}),
              (IpconfigQuery{IpconfigQuery::Kind::router, "wlp2s0"}));
}

TEST(IpconfigInvocationTest, RefusesEveryOtherShape) {
    const std::vector<Arguments> refused{
        {},
        {"getifaddr"},
        {"getifaddr", ""},
        {"getifaddr", "averyveryverylongname"},
        {"getifaddr", "../lo"},
        {"getifaddr", "lo", "extra"},
        {"getoption", "lo"},
        {"getoption", "lo", "subnet_mask"},
        {"getpacket", "lo"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(ipconfigQueryFor(arguments), std::nullopt) << testing::PrintToString(arguments);
    }
}
