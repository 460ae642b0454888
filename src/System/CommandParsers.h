#pragma once

#include "Core/DomainModels.h"
#include "System/DefaultGatewayAddressFamily.h"
#include "System/PingRoundTripStatistics.h"

#include <optional>

#include <QString>

// Pure readers of the text the command-line tools print. Each takes the whole
// standard output of one run. Those that can fail throw CommandParsingError.
namespace CommandParsers {

// ping's "round-trip min/avg/max/stddev = ..." (or "rtt ... mdev") summary.
PingRoundTripStatistics parsePingRoundTripStatistics(const QString& output);

// dig's "Query time: N msec", in milliseconds.
double parseDigQueryTimeMilliseconds(const QString& output);

// Established, time-wait and close-wait rows of netstat's TCP connection
// table. Never fails: text without connection rows gives three zeros.
TCPConnectionStateCounts parseTCPConnectionStateCounts(const QString& output);

// The best default gateway of the family in netstat's routing table,
// restricted to the preferred interface when any of its routes qualifies.
QString parseDefaultGateway(const QString& output, DefaultGatewayAddressFamily addressFamily,
                            const std::optional<QString>& preferredInterfaceName);

// The single IPv4 address that ipconfig's address and router queries print.
QString parseInterfaceIPv4Address(const QString& output);

// Whether ifconfig lists a utun or ipsec interface. Never fails.
bool detectVPNInterface(const QString& output);

} // namespace CommandParsers
