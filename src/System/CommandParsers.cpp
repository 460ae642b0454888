#include "System/CommandParsers.h"

#include "System/CommandParsingError.h"
#include "System/NumberText.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cstdint>
#include <netinet/in.h>
#include <utility>
#include <vector>

#include <QRegularExpression>
#include <QStringList>

namespace CommandParsers {

namespace {

const QString pingCommand = QStringLiteral("/sbin/ping");
const QString digCommand = QStringLiteral("/usr/bin/dig");
const QString netstatCommand = QStringLiteral("/usr/sbin/netstat");
const QString ipconfigCommand = QStringLiteral("/usr/sbin/ipconfig");

bool isNewline(QChar character) {
    switch (character.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// The non-empty pieces of `text` between characters for which `isSeparator`
// holds.
template <class Predicate> QStringList nonEmptyPieces(const QString& text, Predicate isSeparator) {
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        if (index == text.size() || isSeparator(text[index])) {
            if (index > start) {
                pieces.append(text.mid(start, index - start));
            }
            start = index + 1;
        }
    }
    return pieces;
}

QStringList lines(const QString& text) {
    return nonEmptyPieces(text, isNewline);
}

QStringList fields(const QString& line) {
    return nonEmptyPieces(line, [](QChar character) { return character.isSpace(); });
}

template <class Visit> void forEachLineView(QStringView text, Visit visit) {
    qsizetype start = 0;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        if (index == text.size() || isNewline(text[index])) {
            if (index > start) {
                visit(text.sliced(start, index - start));
            }
            start = index + 1;
        }
    }
}

QStringView firstFieldView(QStringView line) {
    qsizetype start = 0;
    while (start < line.size() && line[start].isSpace()) {
        ++start;
    }
    qsizetype end = start;
    while (end < line.size() && !line[end].isSpace()) {
        ++end;
    }
    return line.sliced(start, end - start);
}

QStringView lastFieldView(QStringView line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace()) {
        --end;
    }
    qsizetype start = end;
    while (start > 0 && !line[start - 1].isSpace()) {
        --start;
    }
    return line.sliced(start, end - start);
}

QStringView trimmedOfPunctuation(QStringView text) {
    while (!text.isEmpty() && text.front().isPunct()) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && text.back().isPunct()) {
        text.chop(1);
    }
    return text;
}

// Compiled once: a poll parses several outputs, and compiling a pattern costs
// more than matching it. Unicode properties make \s match every Unicode
// space, not only ASCII.
QRegularExpression unicodePattern(const QString& pattern) {
    return QRegularExpression(pattern, QRegularExpression::UseUnicodePropertiesOption);
}

// The texts of every capture group of the first match, in order; none when
// the pattern does not compile, nothing matches, or a group took no part.
std::optional<QStringList> firstMatchCaptures(const QRegularExpression& expression,
                                              const QString& text) {
    if (!expression.isValid()) {
        return std::nullopt;
    }
    const QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    QStringList captures;
    for (int group = 1; group <= expression.captureCount(); ++group) {
        if (match.capturedStart(group) < 0) {
            return std::nullopt;
        }
        captures.append(match.captured(group));
    }
    return captures;
}

double numberOrThrow(const QString& command, const QString& field, const QString& text) {
    const std::optional<double> number = numberFromText(text);
    if (!number) {
        throw CommandParsingError(CommandParsingError::InvalidNumber{command, field, text});
    }
    return *number;
}

// An optional sign, then ASCII digits only (leading zeros allowed); a value
// from 0 to 255.
bool isOctetText(const QString& text) {
    qsizetype index = 0;
    bool isNegative = false;
    if (index < text.size() && (text[index] == u'+' || text[index] == u'-')) {
        isNegative = text[index] == u'-';
        ++index;
    }
    if (index == text.size()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; index < text.size(); ++index) {
        const char16_t character = text[index].unicode();
        if (character < u'0' || character > u'9') {
            return false;
        }
        magnitude = std::min<std::int64_t>(magnitude * 10 + (character - u'0'), 256);
    }
    return isNegative ? magnitude == 0 : magnitude <= 255;
}

bool isValidIPv4Address(const QString& text) {
    const QStringList pieces = text.split(u'.', Qt::KeepEmptyParts);
    return pieces.size() == 4 && std::all_of(pieces.begin(), pieces.end(), isOctetText);
}

// The part before any "%zone" suffix must be an IPv6 address in text form.
bool isValidIPv6Address(const QString& text) {
    const QString address = text.section(u'%', 0, 0);
    // A NUL would end the C text early and hide whatever follows it.
    if (address.isEmpty() || address.contains(QChar(u'\0'))) {
        return false;
    }
    in6_addr parsed{};
    return inet_pton(AF_INET6, address.toUtf8().constData(), &parsed) == 1;
}

bool isValidAddress(const QString& text, DefaultGatewayAddressFamily family) {
    return family == DefaultGatewayAddressFamily::ipv4 ? isValidIPv4Address(text)
                                                       : isValidIPv6Address(text);
}

// Lower is preferred: wired and Wi-Fi first, tunnels and loopback last.
int interfacePriority(const QString& interfaceName) {
    static const std::array<std::pair<QStringList, int>, 5> rules{{
        {{QStringLiteral("en")}, 0},
        {{QStringLiteral("bridge")}, 1},
        {{QStringLiteral("awdl"), QStringLiteral("llw")}, 2},
        {{QStringLiteral("utun"), QStringLiteral("ipsec"), QStringLiteral("tun"),
          QStringLiteral("ppp")},
         4},
        {{QStringLiteral("lo")}, 5},
    }};
    for (const auto& [prefixes, priority] : rules) {
        for (const QString& prefix : prefixes) {
            if (interfaceName.startsWith(prefix)) {
                return priority;
            }
        }
    }
    return 3;
}

struct GatewayRoute {
    QString gateway;
    QString interfaceName;
};

CommandParsingError missingDefaultRoute() {
    return CommandParsingError::MissingPattern{netstatCommand,
                                               QStringLiteral("default <gateway> ...")};
}

// Every "default" row whose gateway is an address of the family, in row order.
std::vector<GatewayRoute> defaultRoutes(const QString& output, DefaultGatewayAddressFamily family) {
    std::vector<GatewayRoute> routes;
    for (const QString& line : lines(output)) {
        const QStringList columns = fields(line);
        if (columns.isEmpty() || columns[0] != QLatin1String("default")) {
            continue;
        }
        if (columns.size() < 2) {
            throw missingDefaultRoute();
        }
        if (!isValidAddress(columns[1], family)) {
            continue;
        }
        routes.push_back({columns[1], columns.size() >= 4 ? columns[3] : QString()});
    }
    return routes;
}

std::vector<GatewayRoute> routesOnPreferredInterface(std::vector<GatewayRoute> routes,
                                                     const std::optional<QString>& interfaceName) {
    if (!interfaceName) {
        return routes;
    }
    std::vector<GatewayRoute> preferred;
    std::copy_if(routes.begin(), routes.end(), std::back_inserter(preferred),
                 [&](const GatewayRoute& route) { return route.interfaceName == *interfaceName; });
    return preferred.empty() ? routes : preferred;
}

// Lowest interface priority, then the gateway text that sorts first; the
// earliest row among equals.
const GatewayRoute& bestRoute(const std::vector<GatewayRoute>& routes) {
    return *std::min_element(routes.begin(), routes.end(),
                             [](const GatewayRoute& left, const GatewayRoute& right) {
                                 const int leftPriority = interfacePriority(left.interfaceName);
                                 const int rightPriority = interfacePriority(right.interfaceName);
                                 if (leftPriority != rightPriority) {
                                     return leftPriority < rightPriority;
                                 }
                                 return left.gateway < right.gateway;
                             });
}

// The first non-empty piece between ":" characters, trimmed.
QString interfaceNamePart(const QString& line) {
    const QStringList pieces =
        nonEmptyPieces(line, [](QChar character) { return character == u':'; });
    return pieces.isEmpty() ? QString() : pieces.front().trimmed();
}

} // namespace

PingRoundTripStatistics parsePingRoundTripStatistics(const QString& output) {
    static const QRegularExpression summary = unicodePattern(QStringLiteral(
        R"((?m)(?:round-trip|rtt)\s+min\/avg\/max\/(?:stddev|mdev)\s*=\s*([0-9.]+)\/([0-9.]+)\/([0-9.]+)\/([0-9.]+)\s+ms)"));
    const auto captures = firstMatchCaptures(summary, output);
    if (!captures || captures->size() != 4) {
        throw CommandParsingError(CommandParsingError::MissingPattern{
            pingCommand,
            QStringLiteral("round-trip min/avg/max/stddev = <min>/<avg>/<max>/<stddev> ms")});
    }
    const QStringList& texts = *captures;
    const double minimum = numberOrThrow(pingCommand, QStringLiteral("min"), texts[0]);
    const double average = numberOrThrow(pingCommand, QStringLiteral("avg"), texts[1]);
    const double maximum = numberOrThrow(pingCommand, QStringLiteral("max"), texts[2]);
    const double deviation = numberOrThrow(pingCommand, QStringLiteral("stddev"), texts[3]);
    return {minimum, average, maximum, deviation};
}

double parseDigQueryTimeMilliseconds(const QString& output) {
    static const QRegularExpression queryTime =
        unicodePattern(QStringLiteral(R"((?m)Query time:\s*([0-9]+)\s*msec)"));
    const auto captures = firstMatchCaptures(queryTime, output);
    if (!captures || captures->isEmpty()) {
        throw CommandParsingError(CommandParsingError::MissingPattern{
            digCommand, QStringLiteral("Query time: <value> msec")});
    }
    return numberOrThrow(digCommand, QStringLiteral("queryTime"), captures->front());
}

TCPConnectionStateCounts parseTCPConnectionStateCounts(const QString& output) {
    TCPConnectionStateCounts counts{0, 0, 0};
    // Views, not copies: a busy machine lists thousands of connections.
    forEachLineView(output, [&counts](QStringView line) {
        const QStringView protocol = firstFieldView(line);
        if (!protocol.startsWith(u"tcp", Qt::CaseInsensitive)) {
            return;
        }
        const QStringView state = trimmedOfPunctuation(lastFieldView(line));
        if (state.compare(u"ESTABLISHED", Qt::CaseInsensitive) == 0) {
            ++counts.established;
        } else if (state.compare(u"TIME_WAIT", Qt::CaseInsensitive) == 0) {
            ++counts.timeWait;
        } else if (state.compare(u"CLOSE_WAIT", Qt::CaseInsensitive) == 0) {
            ++counts.closeWait;
        }
    });
    return counts;
}

QString parseDefaultGateway(const QString& output, DefaultGatewayAddressFamily addressFamily,
                            const std::optional<QString>& preferredInterfaceName) {
    const std::vector<GatewayRoute> candidates =
        routesOnPreferredInterface(defaultRoutes(output, addressFamily), preferredInterfaceName);
    if (candidates.empty()) {
        throw missingDefaultRoute();
    }
    return bestRoute(candidates).gateway;
}

QString parseInterfaceIPv4Address(const QString& output) {
    const QString address = output.trimmed();
    if (address.isEmpty()) {
        throw CommandParsingError(
            CommandParsingError::MissingPattern{ipconfigCommand, QStringLiteral("IPv4 address")});
    }
    if (!isValidIPv4Address(address)) {
        throw CommandParsingError(CommandParsingError::InvalidIPAddress{ipconfigCommand, address});
    }
    return address;
}

bool detectVPNInterface(const QString& output) {
    const QStringList outputLines = lines(output);
    return std::any_of(outputLines.begin(), outputLines.end(), [](const QString& line) {
        const QString name = interfaceNamePart(line);
        return name.startsWith(QLatin1String("utun")) || name.startsWith(QLatin1String("ipsec"));
    });
}

} // namespace CommandParsers
