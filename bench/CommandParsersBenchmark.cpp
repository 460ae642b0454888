#include "System/CommandParsers.h"

#include <benchmark/benchmark.h>

namespace {

// A macOS-style connection table with `rows` connections in mixed states.
QString connectionTable(int rows) {
    static const char* const states[] = {"ESTABLISHED", "TIME_WAIT", "CLOSE_WAIT", "LISTEN",
                                         "SYN_SENT"};
    QString table = QStringLiteral("Active Internet connections\n"
                                   "Proto Recv-Q Send-Q  Local Address          Foreign Address   "
                                   "     (state)    \n");
    for (int row = 0; row < rows; ++row) {
        table += QStringLiteral("tcp4       0      0  192.168.1.23.%1     17.57.%2.52.443    %3\n")
                     .arg(50000 + row % 10000)
                     .arg(row % 250)
                     .arg(QLatin1String(states[row % 5]));
    }
    return table;
}

QString routingTable(int defaultRoutes) {
    QString table = QStringLiteral("Routing tables\n\nInternet:\n"
                                   "Destination        Gateway            Flags           Netif "
                                   "Expire\n");
    for (int route = 0; route < defaultRoutes; ++route) {
        table += QStringLiteral("default            10.%1.0.1           UGScg           utun%1\n")
                     .arg(route);
    }
    table += QStringLiteral("default            192.168.1.1        UGScg             en0\n"
                            "127.0.0.1          127.0.0.1          UH                lo0\n");
    return table;
}

void ParseTenThousandConnections(benchmark::State& state) {
    const QString table = connectionTable(10'000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CommandParsers::parseTCPConnectionStateCounts(table));
    }
}
BENCHMARK(ParseTenThousandConnections)->Unit(benchmark::kMillisecond);

void ParseRoutingTable(benchmark::State& state) {
    const QString table = routingTable(20);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CommandParsers::parseDefaultGateway(table, DefaultGatewayAddressFamily::ipv4, {}));
    }
}
BENCHMARK(ParseRoutingTable)->Unit(benchmark::kMicrosecond);

// The outputs every poll parses: a lookup's query time and a ping's summary.
void ParseOnePollsOutputs(benchmark::State& state) {
    const QString digOutput =
        QStringLiteral(";; ANSWER SECTION:\nexample.com.\t\t300\tIN\tA\t93.184.216.34\n\n"
                       ";; Query time: 12 msec\n;; SERVER: 127.0.0.53#53(127.0.0.53) (UDP)\n");
    const QString pingOutput =
        QStringLiteral("PING 127.0.0.1 (127.0.0.1): 56 data bytes\n"
                       "64 bytes from 127.0.0.1: icmp_seq=0 ttl=64 time=0.045 ms\n\n"
                       "--- 127.0.0.1 ping statistics ---\n"
                       "1 packets transmitted, 1 packets received, 0.0% packet loss\n"
                       "round-trip min/avg/max/stddev = 0.045/0.045/0.045/0.000 ms\n");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CommandParsers::parseDigQueryTimeMilliseconds(digOutput));
        benchmark::DoNotOptimize(CommandParsers::parsePingRoundTripStatistics(pingOutput));
    }
}
BENCHMARK(ParseOnePollsOutputs)->Unit(benchmark::kMicrosecond);

} // namespace
