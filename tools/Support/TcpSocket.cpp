#include "Support/TcpSocket.h"

#include "Support/NumberText.h"
#include "Support/ProcAddressText.h"
#include "Support/TextLines.h"

#include <optional>

namespace tools {

namespace {

// Fields of a row: "sl: local remote st tx_queue:rx_queue ...".
constexpr std::size_t localField = 1;
constexpr std::size_t remoteField = 2;
constexpr std::size_t stateField = 3;
constexpr std::size_t queuesField = 4;

std::optional<IPv6Address> decodeAddress(std::string_view hex, ProcTcpTable table) {
    if (table == ProcTcpTable::ipv6) {
        return decodeWordsIPv6(hex);
    }
    const auto address = decodeWordIPv4(hex);
    if (!address) {
        return std::nullopt;
    }
    return mappedIPv4(*address);
}

// "0100007F:0035" (address:port, both hexadecimal).
std::optional<TcpEndpoint> parseEndpoint(std::string_view field, ProcTcpTable table) {
    const auto colon = field.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto address = decodeAddress(field.substr(0, colon), table);
    const auto port = parseHexadecimal(field.substr(colon + 1));
    if (!address || !port || *port > 0xffff) {
        return std::nullopt;
    }
    return TcpEndpoint{*address, static_cast<std::uint16_t>(*port)};
}

std::optional<TcpSocket> parseRow(std::string_view line, ProcTcpTable table) {
    const auto fields = splitFields(line);
    if (fields.size() <= queuesField || !fields[0].ends_with(':')) {
        return std::nullopt;
    }
    const auto local = parseEndpoint(fields[localField], table);
    const auto remote = parseEndpoint(fields[remoteField], table);
    const auto state = parseHexadecimal(fields[stateField]);
    const auto queues = fields[queuesField];
    const auto colon = queues.find(':');
    if (!local || !remote || !state || colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto sendQueue = parseHexadecimal(queues.substr(0, colon));
    const auto receiveQueue = parseHexadecimal(queues.substr(colon + 1));
    if (!sendQueue || !receiveQueue) {
        return std::nullopt;
    }
    return TcpSocket{*local, *remote, static_cast<int>(*state),
                     static_cast<std::uint32_t>(*sendQueue),
                     static_cast<std::uint32_t>(*receiveQueue)};
}

} // namespace

std::vector<TcpSocket> parseProcNetTcp(std::string_view text, ProcTcpTable table) {
    std::vector<TcpSocket> sockets;
    for (const auto line : splitLines(text)) {
        if (const auto socket = parseRow(line, table)) {
            sockets.push_back(*socket);
        }
    }
    return sockets;
}

} // namespace tools
