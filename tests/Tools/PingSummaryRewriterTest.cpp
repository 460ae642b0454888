#include "Support/PingSummaryRewriter.h"

#include <gtest/gtest.h>
#include <sstream>

using tools::rewritePingOutputLine;

namespace {

std::string rewritten(const std::string& iputilsOutput) {
    std::istringstream lines(iputilsOutput);
    std::string output;
    for (std::string line; std::getline(lines, line);) {
        output += rewritePingOutputLine(line) + '\n';
    }
    return output;
}

} // namespace

TEST(PingSummaryRewriterTest, AllRepliesGiveTheBsdSummaryAndKeepTheReplyLines) {
    EXPECT_EQ(rewritten("PING 192.168.1.1 (192.168.1.1) 56(84) bytes of data.\n"
                        "64 bytes from 192.168.1.1: icmp_seq=1 ttl=64 time=1.10 ms\n"
                        "64 bytes from 192.168.1.1: icmp_seq=2 ttl=64 time=3.30 ms\n"
                        "\n"
                        "--- 192.168.1.1 ping statistics ---\n"
                        "2 packets transmitted, 2 received, 0% packet loss, time 1001ms\n"
                        "rtt min/avg/max/mdev = 1.100/2.200/3.300/1.100 ms\n"),
              "PING 192.168.1.1 (192.168.1.1) 56(84) bytes of data.\n"
              "64 bytes from 192.168.1.1: icmp_seq=1 ttl=64 time=1.10 ms\n"
              "64 bytes from 192.168.1.1: icmp_seq=2 ttl=64 time=3.30 ms\n"
              "\n"
              "--- 192.168.1.1 ping statistics ---\n"
              "2 packets transmitted, 2 packets received, 0.0% packet loss\n"
              "round-trip min/avg/max/stddev = 1.100/2.200/3.300/1.100 ms\n");
}

TEST(PingSummaryRewriterTest, PartialLossIsRecomputedWithOneDecimal) {
    EXPECT_EQ(
        rewritePingOutputLine("4 packets transmitted, 2 received, 50% packet loss, time 3004ms"),
        "4 packets transmitted, 2 packets received, 50.0% packet loss");
    EXPECT_EQ(rewritePingOutputLine(
                  "3 packets transmitted, 2 received, 33.3333% packet loss, time 2003ms"),
              "3 packets transmitted, 2 packets received, 33.3% packet loss");
    EXPECT_EQ(rewritePingOutputLine(
                  "3 packets transmitted, 1 received, 66.6667% packet loss, time 2003ms"),
              "3 packets transmitted, 1 packets received, 66.7% packet loss");
}

TEST(PingSummaryRewriterTest, TotalLossHasNoRoundTripLineAndDropsErrorCounts) {
    EXPECT_EQ(rewritten("PING 10.0.0.1 (10.0.0.1) 56(84) bytes of data.\n"
                        "From 10.0.0.2 icmp_seq=1 Destination Host Unreachable\n"
                        "\n"
                        "--- 10.0.0.1 ping statistics ---\n"
                        "2 packets transmitted, 0 received, +2 errors, 100% packet loss, "
                        "time 1002ms\n"
                        "\n"),
              "PING 10.0.0.1 (10.0.0.1) 56(84) bytes of data.\n"
              "From 10.0.0.2 icmp_seq=1 Destination Host Unreachable\n"
              "\n"
              "--- 10.0.0.1 ping statistics ---\n"
              "2 packets transmitted, 0 packets received, 100.0% packet loss\n"
              "\n");
}

TEST(PingSummaryRewriterTest, DuplicatesAreKeptInTheBsdPosition) {
    EXPECT_EQ(rewritePingOutputLine("2 packets transmitted, 2 received, +1 duplicates, +1 "
                                    "corrupted, 0% packet loss, time 1001ms"),
              "2 packets transmitted, 2 packets received, +1 duplicates, 0.0% packet loss");
}

TEST(PingSummaryRewriterTest, RoundTripLineLosesIputilsSuffixes) {
    EXPECT_EQ(rewritePingOutputLine("rtt min/avg/max/mdev = 0.039/0.069/0.099/0.030 ms, pipe 2"),
              "round-trip min/avg/max/stddev = 0.039/0.069/0.099/0.030 ms");
    EXPECT_EQ(rewritePingOutputLine(
                  "rtt min/avg/max/mdev = 0.012/0.020/0.051/0.004 ms, ipg/ewma 0.031/0.019 ms"),
              "round-trip min/avg/max/stddev = 0.012/0.020/0.051/0.004 ms");
}

TEST(PingSummaryRewriterTest, NothingTransmittedHasNoLossFigure) {
    EXPECT_EQ(rewritePingOutputLine("0 packets transmitted, 0 received"),
              "0 packets transmitted, 0 packets received, ");
}

TEST(PingSummaryRewriterTest, LinesThatOnlyResembleTheSummaryAreKept) {
    for (const std::string line :
         {"2 packets transmitted", "x packets transmitted, 2 received, 0% packet loss",
          "rtt min/avg/max/mdev = 1/2/3 ms", "round-trip min/avg/max/stddev = 1.0/2.0/3.0/0.5 ms",
          "64 bytes from ::1: icmp_seq=1 ttl=64 time=0.037 ms"}) {
        EXPECT_EQ(rewritePingOutputLine(line), line);
    }
}
