#include "Support/PingExitStatus.h"

#include <gtest/gtest.h>

using tools::bsdPingExitStatus;

TEST(PingExitStatusTest, NoReplyBecomesTheBsdNoReplyStatusAndOthersAreKept) {
    EXPECT_EQ(bsdPingExitStatus(0), 0);
    EXPECT_EQ(bsdPingExitStatus(1), 2);
    EXPECT_EQ(bsdPingExitStatus(2), 2);
    EXPECT_EQ(bsdPingExitStatus(143), 143);
}
