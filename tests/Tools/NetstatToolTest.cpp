#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

const QString netstat = QStringLiteral("/usr/sbin/netstat");

QStringList linesOf(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

QStringList fieldsOf(const QString& line) {
    return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Rows after the "Routing tables", blank, family and header lines.
QStringList routeRows(const QString& table) {
    return linesOf(table).mid(3);
}

void expectRoutingTableShape(const QString& table, const QString& family) {
    const auto lines = linesOf(table);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(table.startsWith(QStringLiteral("Routing tables\n\n") + family + ":\n"))
        << table.toStdString();
    EXPECT_EQ(fieldsOf(lines[2]),
              (QStringList{"Destination", "Gateway", "Flags", "Netif", "Expire"}));
    for (const auto& row : routeRows(table)) {
        const auto fields = fieldsOf(row);
        ASSERT_EQ(fields.size(), 4) << row.toStdString();
        EXPECT_TRUE(fields[2].contains(QRegularExpression(QStringLiteral("^[UGHRDM]+$"))))
            << row.toStdString();
    }
}

} // namespace

TEST(NetstatToolTest, RefusesInvocationsTheProbesDoNotMake) {
    for (const auto& arguments :
         {QStringList{}, QStringList{"-an"}, QStringList{"-rn", "-f", "link"},
          QStringList{"-n", "-p", "udp"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(netstat, arguments));
    }
}

TEST(NetstatToolTest, RoutingTablesOfThisMachineHaveTheBsdShape) {
    const auto ipv4 = runTool(netstat, {"-rn", "-f", "inet"});
    const auto ipv6 = runTool(netstat, {"-rn", "-f", "inet6"});

    EXPECT_EQ(ipv4.exitCode, 0);
    EXPECT_EQ(ipv6.exitCode, 0);
    expectRoutingTableShape(ipv4.standardOutput, QStringLiteral("Internet"));
    expectRoutingTableShape(ipv6.standardOutput, QStringLiteral("Internet6"));
}

TEST(NetstatToolTest, DefaultRouteIsADefaultRowWithItsGatewayAndInterface) {
    if (!canIsolateNetwork()) {
        GTEST_SKIP() << "needs a network namespace of its own";
    }
    const auto run = runTool(netstat, {"-rn", "-f", "inet"}, Network::isolated);

    EXPECT_EQ(run.exitCode, 0);
    const auto rows = routeRows(run.standardOutput);
    ASSERT_EQ(rows.size(), 2) << run.standardOutput.toStdString();
    EXPECT_EQ(fieldsOf(rows[0]), (QStringList{"default", "192.0.2.1", "UG", "lo"}));
    EXPECT_EQ(fieldsOf(rows[1]), (QStringList{"192.0.2.0/24", "link#1", "U", "lo"}));
}

TEST(NetstatToolTest, ConnectionTableListsBothEndsOfALoopbackConnectionAsEstablished) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(server.waitForNewConnection(5000));
    const auto serverEnd = QStringLiteral("127.0.0.1.%1").arg(server.serverPort());
    const auto clientEnd = QStringLiteral("127.0.0.1.%1").arg(client.localPort());

    const auto run = runTool(netstat, {"-n", "-p", "tcp"});

    EXPECT_EQ(run.exitCode, 0);
    const auto lines = linesOf(run.standardOutput);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Active Internet connections"));
    EXPECT_EQ(fieldsOf(lines[1]), (QStringList{"Proto", "Recv-Q", "Send-Q", "Local", "Address",
                                               "Foreign", "Address", "(state)"}));
    const auto rows = lines.mid(2);
    const QStringList clientRow{"tcp4", "0", "0", clientEnd, serverEnd, "ESTABLISHED"};
    const QStringList serverRow{"tcp4", "0", "0", serverEnd, clientEnd, "ESTABLISHED"};
    const auto hasRow = [&rows](const QStringList& expected) {
        return std::ranges::any_of(rows,
                                   [&](const QString& row) { return fieldsOf(row) == expected; });
    };
    EXPECT_TRUE(hasRow(clientRow)) << run.standardOutput.toStdString();
    EXPECT_TRUE(hasRow(serverRow)) << run.standardOutput.toStdString();
    EXPECT_FALSE(run.standardOutput.contains(QStringLiteral("LISTEN")));
}
