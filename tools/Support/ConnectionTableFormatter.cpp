#include "Support/ConnectionTableFormatter.h"

#include "Support/ColumnText.h"
#include "Support/TcpState.h"

namespace tools {

namespace {

constexpr std::size_t addressWidth = 22;

std::string endpointText(const TcpEndpoint& endpoint) {
    const auto ipv4 = unmappedIPv4(endpoint.address);
    const auto address = ipv4 ? formatIPv4(*ipv4) : formatIPv6(endpoint.address);
    return address + '.' + std::to_string(endpoint.port);
}

bool isShown(const TcpSocket& socket) {
    return socket.state != tcpStateListen && socket.state != tcpStateClose;
}

std::string protocolName(const TcpSocket& socket) {
    return unmappedIPv4(socket.local.address) ? "tcp4" : "tcp6";
}

std::string row(const TcpSocket& socket) {
    return leftAligned(protocolName(socket), 5) + ' ' +
           rightAligned(std::to_string(socket.receiveQueue), 6) + ' ' +
           rightAligned(std::to_string(socket.sendQueue), 6) + "  " +
           leftAligned(endpointText(socket.local), addressWidth) + ' ' +
           leftAligned(endpointText(socket.remote), addressWidth) + ' ' +
           tcpStateName(socket.state) + '\n';
}

} // namespace

std::string formatConnectionTable(const std::vector<TcpSocket>& sockets) {
    std::string text = "Active Internet connections\n";
    text += "Proto Recv-Q Send-Q  " + leftAligned("Local Address", addressWidth) + ' ' +
            leftAligned("Foreign Address", addressWidth) + " (state)\n";
    for (const auto& socket : sockets) {
        if (isShown(socket)) {
            text += row(socket);
        }
    }
    return text;
}

} // namespace tools
