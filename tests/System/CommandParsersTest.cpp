#include "System/CommandParsers.h"

#include "System/CommandParsingError.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace {

using Family = DefaultGatewayAddressFamily;

// Runs `parse` and returns the CommandParsingError it threw, if any.
template <class Parse> std::optional<CommandParsingError> parsingError(Parse parse) {
    try {
        parse();
    } catch (const CommandParsingError& error) {
        return error;
    }
    return std::nullopt;
}

const CommandParsingError missingPingSummary = CommandParsingError::MissingPattern{
    "/sbin/ping", "round-trip min/avg/max/stddev = <min>/<avg>/<max>/<stddev> ms"};
const CommandParsingError missingQueryTime =
    CommandParsingError::MissingPattern{"/usr/bin/dig", "Query time: <value> msec"};
const CommandParsingError missingDefaultRoute =
    CommandParsingError::MissingPattern{"/usr/sbin/netstat", "default <gateway> ..."};
const CommandParsingError missingIPv4Address =
    CommandParsingError::MissingPattern{"/usr/sbin/ipconfig", "IPv4 address"};

const QString answeredPing =
    QStringLiteral("PING 192.168.1.1 (192.168.1.1): 56 data bytes\n"
                   "64 bytes from 192.168.1.1: icmp_seq=0 ttl=64 time=1.100 ms\n"
                   "64 bytes from 192.168.1.1: icmp_seq=1 ttl=64 time=3.300 ms\n"
                   "\n"
                   "--- 192.168.1.1 ping statistics ---\n"
                   "2 packets transmitted, 2 packets received, 0.0% packet loss\n"
                   "round-trip min/avg/max/stddev = 1.1/2.2/3.3/0.4 ms\n");

const QString unansweredPing = QStringLiteral("PING 10.255.255.1 (10.255.255.1): 56 data bytes\n"
                                              "Request timeout for icmp_seq 0\n"
                                              "\n"
                                              "--- 10.255.255.1 ping statistics ---\n"
                                              "2 packets transmitted, 0 packets received, "
                                              "100.0% packet loss\n");

QString pingWithSummary(const QString& values) {
    return QStringLiteral("--- 1.1.1.1 ping statistics ---\n"
                          "2 packets transmitted, 2 packets received, 0.0% packet loss\n"
                          "round-trip min/avg/max/stddev = %1 ms\n")
        .arg(values);
}

QString digOutput(const QString& queryTimeLine) {
    return QStringLiteral("; <<>> DiG 9.10.6 <<>> +time=2 +tries=1 example.com\n"
                          ";; global options: +cmd\n"
                          ";; Got answer:\n"
                          ";; ->>HEADER<<- opcode: QUERY, status: NOERROR, id: 41234\n"
                          ";; flags: qr rd ra; QUERY: 1, ANSWER: 1, AUTHORITY: 0, ADDITIONAL: 1\n"
                          "\n"
                          ";; QUESTION SECTION:\n"
                          ";example.com.\t\t\tIN\tA\n"
                          "\n"
                          ";; ANSWER SECTION:\n"
                          "example.com.\t\t3600\tIN\tA\t93.184.215.14\n"
                          "\n"
                          "%1"
                          ";; SERVER: 192.168.1.1#53(192.168.1.1)\n"
                          ";; WHEN: Tue Mar 12 10:15:02 CET 2024\n"
                          ";; MSG SIZE  rcvd: 56\n")
        .arg(queryTimeLine);
}

const QString connectionTable = QStringLiteral(
    "Active Internet connections\n"
    "Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)    \n"
    "tcp4       0      0  192.168.1.23.52814     17.57.146.52.5223      ESTABLISHED\n"
    "tcp6       0      0  2a02:1210:5a0e:f0.52811 2a00:1450:400a:8.443  TIME_WAIT  \n"
    "tcp46      0      0  *.5000                 *.*                    LISTEN     \n"
    "tcp4       0      0  127.0.0.1.8021         127.0.0.1.52790        CLOSE_WAIT \n"
    "tcp4       0      0  192.168.1.23.52820     140.82.112.25.443      SYN_SENT   \n"
    "tcp4       0      0  192.168.1.23.52701     34.107.243.93.443      ESTABLISHED\n"
    "udp4       0      0  *.5353                 *.*                               \n");

const QString ipv4RoutingTable =
    QStringLiteral("Routing tables\n"
                   "\n"
                   "Internet:\n"
                   "Destination        Gateway            Flags           Netif Expire\n"
                   "default            10.0.0.1           UGScIg          utun4       \n"
                   "default            192.168.1.1        UGScg             en0       \n"
                   "default            link#17            UCSIg       bridge100      !\n"
                   "10.0.0/24          link#17            UCS             utun4      !\n"
                   "127                127.0.0.1          UCS               lo0       \n"
                   "127.0.0.1          127.0.0.1          UH                lo0       \n"
                   "192.168.1          link#6             UCS               en0      !\n"
                   "192.168.1.1        4:d9:f5:1a:2b:3c   UHLWIir           en0   1187\n");

const QString ipv6RoutingTable = QStringLiteral(
    "Routing tables\n"
    "\n"
    "Internet6:\n"
    "Destination                             Gateway                                 Flags  "
    "     Netif Expire\n"
    "default                                 fe80::%utun0                            UGcIg  "
    "     utun0       \n"
    "default                                 fe80::1%en0                             UGcg   "
    "       en0       \n"
    "default                                 fe80::%utun1                            UGcIg  "
    "     utun1       \n"
    "::1                                     ::1                                     UHL    "
    "       lo0       \n"
    "fe80::%lo0/64                           fe80::1%lo0                             UcI    "
    "       lo0       \n");

QString routingTableWithDefaultRows(const QStringList& rows) {
    return QStringLiteral(
               "Internet:\nDestination        Gateway            Flags    Netif Expire\n") +
           rows.join(u'\n') + u'\n';
}

QString interfaceListing(const QStringList& interfaceNames) {
    QString listing;
    for (const QString& name : interfaceNames) {
        listing += name + QStringLiteral(": flags=8863<UP,BROADCAST,RUNNING,MULTICAST> mtu 1500\n"
                                         "\toptions=6463<RXCSUM,TXCSUM,TSO4,TSO6>\n"
                                         "\tnd6 options=201<PERFORMNUD,DAD>\n");
    }
    return listing;
}

} // namespace

// Ping summary

TEST(CommandParsersTest, PingSummaryGivesTheFourValuesInOrder) {
    EXPECT_EQ(CommandParsers::parsePingRoundTripStatistics(answeredPing),
              (PingRoundTripStatistics{1.1, 2.2, 3.3, 0.4}));
}

TEST(CommandParsersTest, PingRttSummaryWithMeanDeviationParsesTheSame) {
    const QString output =
        QStringLiteral("--- 192.168.1.1 ping statistics ---\n"
                       "2 packets transmitted, 2 received, 0% packet loss, time 1001ms\n"
                       "rtt min/avg/max/mdev = 1.1/2.2/3.3/0.4 ms\n");
    EXPECT_EQ(CommandParsers::parsePingRoundTripStatistics(output),
              (PingRoundTripStatistics{1.1, 2.2, 3.3, 0.4}));
}

TEST(CommandParsersTest, PingSummaryAcceptsWholeNumbersAndLooseSpacing) {
    const QString output = QStringLiteral("round-trip  min/avg/max/stddev=12/15.5/19/3 ms");
    EXPECT_EQ(CommandParsers::parsePingRoundTripStatistics(output),
              (PingRoundTripStatistics{12, 15.5, 19, 3}));
}

TEST(CommandParsersTest, PingWithoutSummaryLineLacksThePattern) {
    for (const QString& output : QStringList{
             unansweredPing, QString(), QStringLiteral("round-trip min/avg/max = 1.1/2.2/3.3 ms\n"),
             QStringLiteral("round-trip min/avg/max/stddev = 1/2/3/4\n")}) {
        EXPECT_EQ(parsingError([&] { CommandParsers::parsePingRoundTripStatistics(output); }),
                  missingPingSummary)
            << output.toStdString();
    }
}

TEST(CommandParsersTest, PingValueThatIsNotANumberNamesItsField) {
    struct Case {
        QString values;
        QString field;
        QString value;
    };
    const std::vector<Case> cases{
        {"1.2.3/2.2/3.3/0.4", "min", "1.2.3"}, {"1.1/2..2/3.3/0.4", "avg", "2..2"},
        {"1.1/2.2/./0.4", "max", "."},         {"1.1/2.2/3.3/0.4.", "stddev", "0.4."},
        {"1..1/2..2/3.3/0.4", "min", "1..1"},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(
            parsingError([&] {
                CommandParsers::parsePingRoundTripStatistics(pingWithSummary(testCase.values));
            }),
            CommandParsingError(
                CommandParsingError::InvalidNumber{"/sbin/ping", testCase.field, testCase.value}))
            << testCase.values.toStdString();
    }
}

// Dig query time

TEST(CommandParsersTest, DigQueryTimeIsReadInMilliseconds) {
    EXPECT_EQ(CommandParsers::parseDigQueryTimeMilliseconds(digOutput(";; Query time: 12 msec\n")),
              12.0);
    EXPECT_EQ(CommandParsers::parseDigQueryTimeMilliseconds(digOutput(";; Query time: 0 msec\n")),
              0.0);
    EXPECT_EQ(CommandParsers::parseDigQueryTimeMilliseconds(digOutput(";; Query time:1045msec\n")),
              1045.0);
}

TEST(CommandParsersTest, DigWithoutQueryTimeLacksThePattern) {
    const QString unreachable =
        QStringLiteral("; <<>> DiG 9.10.6 <<>> +time=2 +tries=1 example.com\n"
                       ";; global options: +cmd\n"
                       ";; connection timed out; no servers could be reached\n");
    for (const QString& output : QStringList{unreachable, digOutput(QString()),
                                             digOutput(";; Query time: 1.5 msec\n"), QString()}) {
        EXPECT_EQ(parsingError([&] { CommandParsers::parseDigQueryTimeMilliseconds(output); }),
                  missingQueryTime)
            << output.toStdString();
    }
}

// TCP connection states

TEST(CommandParsersTest, ConnectionRowsOfEveryTcpKindCountByState) {
    EXPECT_EQ(CommandParsers::parseTCPConnectionStateCounts(connectionTable),
              (TCPConnectionStateCounts{2, 1, 1}));
}

TEST(CommandParsersTest, TextWithoutConnectionRowsCountsNothing) {
    const QString headerOnly = QStringLiteral(
        "Active Internet connections\n"
        "Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)\n");
    const QString otherRows =
        QStringLiteral("udp4       0      0  *.5353                 *.*          ESTABLISHED\n"
                       "Proto Recv-Q Send-Q  Local Address  Foreign Address  TIME_WAIT\n"
                       "  \t  \n");
    for (const QString& output : QStringList{QString(), headerOnly, otherRows}) {
        EXPECT_EQ(CommandParsers::parseTCPConnectionStateCounts(output),
                  (TCPConnectionStateCounts{0, 0, 0}))
            << output.toStdString();
    }
}

TEST(CommandParsersTest, ConnectionStatesIgnoreCaseAndSurroundingPunctuation) {
    const QString output = QStringLiteral("TCP4 0 0 a.1 b.2 (established)\n"
                                          "Tcp6 0 0 a.1 b.2 time_wait.\n"
                                          "tcp4 0 0 a.1 b.2 \"Close_Wait\"\n"
                                          "tcp4 0 0 a.1 b.2 ESTABLISHED_\n"
                                          "tcp4 0 0 a.1 b.2 TIMEWAIT\n");
    EXPECT_EQ(CommandParsers::parseTCPConnectionStateCounts(output),
              (TCPConnectionStateCounts{2, 1, 1}));
}

TEST(CommandParsersTest, EveryNewlineCharacterEndsARowAndTabsSeparateFields) {
    const QString row = QStringLiteral("tcp4\t0\t0\t10.0.0.2.5000\t10.0.0.3.443\tESTABLISHED");
    const QStringList separators{"\n",
                                 "\r\n",
                                 "\v",
                                 "\f",
                                 "\r",
                                 QString(QChar(0x0085)),
                                 QString(QChar(0x2028)),
                                 QString(QChar(0x2029))};
    QString output = row;
    for (const QString& separator : separators) {
        output += separator + row;
    }
    EXPECT_EQ(CommandParsers::parseTCPConnectionStateCounts(output),
              (TCPConnectionStateCounts{9, 0, 0}));
}

// Default gateway

TEST(CommandParsersTest, DefaultGatewayPrefersEthernetOrWiFiOverTunnels) {
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv4RoutingTable, Family::ipv4, std::nullopt),
              "192.168.1.1");
}

TEST(CommandParsersTest, PreferredInterfaceNarrowsTheChoiceWhenItHasARoute) {
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv4RoutingTable, Family::ipv4, "utun4"),
              "10.0.0.1");
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv4RoutingTable, Family::ipv4, "en0"),
              "192.168.1.1");
}

TEST(CommandParsersTest, PreferredInterfaceWithoutUsableRouteFallsBackToEveryRoute) {
    // bridge100's only default row has a link-number gateway, which never counts.
    for (const QString& interfaceName : QStringList{"en7", "bridge100", "", "EN0"}) {
        EXPECT_EQ(
            CommandParsers::parseDefaultGateway(ipv4RoutingTable, Family::ipv4, interfaceName),
            "192.168.1.1")
            << interfaceName.toStdString();
    }
}

TEST(CommandParsersTest, InterfacePriorityOutweighsGatewayOrderAndRowOrder) {
    // Each pair: the better interface carries the gateway that sorts last and
    // comes in the later row.
    struct Case {
        QString better;
        QString worse;
    };
    const std::vector<Case> cases{
        {"en0", "bridge0"}, {"en5", "lo0"},     {"bridge100", "awdl0"}, {"awdl0", "gif0"},
        {"llw0", "anpi0"},  {"anpi0", "utun3"}, {"gif0", "ipsec0"},     {"stf0", "tun0"},
        {"XHC20", "ppp0"},  {"utun0", "lo0"},   {"ipsec1", "loopy0"},   {"encrypted0", "lo0"},
    };
    for (const Case& testCase : cases) {
        const QString table = routingTableWithDefaultRows(
            {"default            10.0.0.1           UGScg    " + testCase.worse,
             "default            192.168.1.1        UGScg    " + testCase.better});
        EXPECT_EQ(CommandParsers::parseDefaultGateway(table, Family::ipv4, std::nullopt),
                  "192.168.1.1")
            << testCase.better.toStdString() << " against " << testCase.worse.toStdString();
    }
}

TEST(CommandParsersTest, RowWithoutInterfaceRanksWithUnknownInterfaces) {
    const QString table = routingTableWithDefaultRows(
        {"default 10.0.0.1 UGScg utun2", "default 192.168.1.1 UGScg", "default 172.16.0.1"});
    EXPECT_EQ(CommandParsers::parseDefaultGateway(table, Family::ipv4, std::nullopt), "172.16.0.1");
}

TEST(CommandParsersTest, EqualPrioritiesChooseTheGatewayThatSortsFirst) {
    const QString table = routingTableWithDefaultRows(
        {"default 192.168.1.1 UGScg en0", "default 10.0.0.1 UGScg en1"});
    EXPECT_EQ(CommandParsers::parseDefaultGateway(table, Family::ipv4, std::nullopt), "10.0.0.1");
}

TEST(CommandParsersTest, IPv4RequestSkipsIPv6AndLinkGateways) {
    const QString table = routingTableWithDefaultRows(
        {"default fe80::1%en0 UGcg en0", "default link#6 UCSIg en0",
         "default 4:d9:f5:1a:2b:3c UGScg en0", "default 172.20.10.1 UGScg utun1"});
    EXPECT_EQ(CommandParsers::parseDefaultGateway(table, Family::ipv4, std::nullopt),
              "172.20.10.1");
}

TEST(CommandParsersTest, IPv6RequestKeepsTheZoneSuffixAndSkipsIPv4Gateways) {
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv6RoutingTable, Family::ipv6, std::nullopt),
              "fe80::1%en0");
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv6RoutingTable, Family::ipv6, "utun1"),
              "fe80::%utun1");
    EXPECT_EQ(parsingError([] {
                  CommandParsers::parseDefaultGateway(ipv4RoutingTable, Family::ipv6, std::nullopt);
              }),
              missingDefaultRoute);
}

TEST(CommandParsersTest, IPv6GatewayTextsAreCheckedWithoutTheirZone) {
    for (const QString& gateway :
         QStringList{"fe80::1%en0", "2001:db8::1", "::ffff:192.168.1.1", "fe80::1%", "::"}) {
        const QString table = routingTableWithDefaultRows({"default " + gateway + " UGcg en0"});
        EXPECT_EQ(CommandParsers::parseDefaultGateway(table, Family::ipv6, std::nullopt), gateway);
    }
    for (const QString& gateway :
         QStringList{"fe80::1::2", "%en0", "192.168.1.1", "link#6", "gggg::1",
                     "2001:db8:1:2:3:4:5:6:7", QStringLiteral("fe80::1") + QChar(u'\0') + "junk"}) {
        const QString table = routingTableWithDefaultRows({"default " + gateway + " UGcg en0"});
        EXPECT_EQ(parsingError([&] {
                      CommandParsers::parseDefaultGateway(table, Family::ipv6, std::nullopt);
                  }),
                  missingDefaultRoute)
            << gateway.toStdString();
    }
}

TEST(CommandParsersTest, TableWithoutUsableDefaultRowLacksThePattern) {
    const QString noDefault =
        routingTableWithDefaultRows({"127.0.0.1 127.0.0.1 UH lo0", "Default 192.168.1.1 UGScg en0",
                                     "defaults 192.168.1.1 UGScg en0"});
    for (const QString& output :
         QStringList{QString(), noDefault,
                     routingTableWithDefaultRows({"default link#17 UCSIg bridge100"})}) {
        EXPECT_EQ(parsingError([&] {
                      CommandParsers::parseDefaultGateway(output, Family::ipv4, std::nullopt);
                  }),
                  missingDefaultRoute)
            << output.toStdString();
    }
}

TEST(CommandParsersTest, DefaultRowWithoutGatewayFailsTheWholeTable) {
    const QString table = routingTableWithDefaultRows(
        {"default 192.168.1.1 UGScg en0", "  default   ", "default 10.0.0.1 UGScg en1"});
    EXPECT_EQ(
        parsingError([&] { CommandParsers::parseDefaultGateway(table, Family::ipv4, "en0"); }),
        missingDefaultRoute);
}

// Interface IPv4 address (and the IPv4 address check)

TEST(CommandParsersTest, IPv4AddressIsTrimmedOfSurroundingWhitespace) {
    EXPECT_EQ(CommandParsers::parseInterfaceIPv4Address("192.168.1.1\n"), "192.168.1.1");
    EXPECT_EQ(CommandParsers::parseInterfaceIPv4Address(" \t10.0.0.1\r\n\n"), "10.0.0.1");
}

TEST(CommandParsersTest, IPv4AddressesInTheirAcceptedForms) {
    for (const QString& address :
         QStringList{"001.002.003.004", "0.0.0.0", "255.255.255.255", "+10.0.0.1", "-0.1.2.3"}) {
        EXPECT_EQ(CommandParsers::parseInterfaceIPv4Address(address), address);
    }
}

TEST(CommandParsersTest, TextThatIsNotAnIPv4AddressIsReportedAsIs) {
    for (const QString& text : QStringList{
             "256.1.1.1", "1.2.3", "1..2.3", "a.b.c.d", "1.2.3.4.5", "1.2.3.", ".1.2.3", "1.2.3.-1",
             "1.2.3.4a", "1.2.3.+", "1.2. 3.4", "fe80::1", "0x7f.0.0.1",
             "99999999999999999999.1.1.1", QString::fromUtf8("\u0661.\u0662.\u0663.\u0664")}) {
        EXPECT_EQ(
            parsingError([&] { CommandParsers::parseInterfaceIPv4Address(text); }),
            CommandParsingError(CommandParsingError::InvalidIPAddress{"/usr/sbin/ipconfig", text}))
            << text.toStdString();
    }
}

TEST(CommandParsersTest, EmptyIPConfigOutputLacksTheAddress) {
    for (const QString& output : QStringList{"", "\n", " \t\r\n"}) {
        EXPECT_EQ(parsingError([&] { CommandParsers::parseInterfaceIPv4Address(output); }),
                  missingIPv4Address);
    }
}

// VPN interface

TEST(CommandParsersTest, TunnelInterfacesCountAsVPN) {
    const QString withUtunAddress =
        interfaceListing({"lo0", "en0"}) +
        QStringLiteral("utun4: flags=8051<UP,POINTOPOINT,RUNNING,MULTICAST> mtu 1380\n"
                       "\tinet 10.8.0.2 --> 10.8.0.1 netmask 0xffffff00\n");
    const QString addresslessUtun =
        interfaceListing({"lo0", "en0"}) +
        QStringLiteral("utun0: flags=8051<UP,POINTOPOINT,RUNNING,MULTICAST> mtu 1500");
    const QString ipsec = interfaceListing({"lo0", "en0", "ipsec0"});
    for (const QString& output : QStringList{withUtunAddress, addresslessUtun, ipsec}) {
        EXPECT_TRUE(CommandParsers::detectVPNInterface(output)) << output.toStdString();
    }
}

TEST(CommandParsersTest, OtherInterfacesAndAddressLinesDoNotCountAsVPN) {
    const QString ordinary = QStringLiteral(
        "lo0: flags=8049<UP,LOOPBACK,RUNNING,MULTICAST> mtu 16384\n"
        "\tinet 127.0.0.1 netmask 0xff000000\n"
        "\tinet6 fe80::1%lo0 prefixlen 64 scopeid 0x1 \n"
        "en0: flags=8863<UP,BROADCAST,SMART,RUNNING,SIMPLEX,MULTICAST> mtu 1500\n"
        "\tether 3c:22:fb:12:34:56\n"
        "\tinet6 fe80::1c8a:2b3c:4d5e:6f70%en0 prefixlen 64 secured scopeid 0x6 \n"
        "\tinet 192.168.1.23 netmask 0xffffff00 broadcast 192.168.1.255\n"
        "\tstatus: active\n"
        "awdl0: flags=8943<UP,BROADCAST,RUNNING,PROMISC,SIMPLEX,MULTICAST> mtu 1500\n"
        "llw0: flags=8863<UP,BROADCAST,SMART,RUNNING,SIMPLEX,MULTICAST> mtu 1500\n");
    const QString pointToPoint = interfaceListing({"lo0", "ppp0", "gif0", "stf0", "tun0"});
    const QString otherSpellings = QStringLiteral("UTUN0: flags=8051<UP> mtu 1380\n"
                                                  "  :utun1: flags=8051<UP> mtu 1380\n"
                                                  "\tmember: utun2 flags=3<LEARNING>\n");
    for (const QString& output : QStringList{ordinary, pointToPoint, otherSpellings, QString()}) {
        EXPECT_FALSE(CommandParsers::detectVPNInterface(output)) << output.toStdString();
    }
}

TEST(CommandParsersTest, InterfaceNameIsTheFirstPieceBetweenColons) {
    EXPECT_TRUE(CommandParsers::detectVPNInterface("::utun1: flags=8051<UP> mtu 1380"));
    EXPECT_TRUE(CommandParsers::detectVPNInterface("en0: flags=0\r\n  ipsec2 : flags=0"));
}
