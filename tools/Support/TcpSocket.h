#pragma once

#include "Support/IPAddress.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tools {

// One end of a TCP socket. IPv4 addresses are held in their mapped form (::ffff:a.b.c.d), which
// is also how a dual-stack IPv6 socket reports an IPv4 peer.
struct TcpEndpoint {
    IPv6Address address{};
    std::uint16_t port = 0;

    bool operator==(const TcpEndpoint&) const = default;
};

// One row of /proc/net/tcp or /proc/net/tcp6.
struct TcpSocket {
    TcpEndpoint local;
    TcpEndpoint remote;
    int state = 0; // the kernel's TCP state number (1 established ... 10 listen)
    std::uint32_t sendQueue = 0;
    std::uint32_t receiveQueue = 0;

    bool operator==(const TcpSocket&) const = default;
};

enum class ProcTcpTable { ipv4, ipv6 };

// The sockets listed in the text of /proc/net/tcp (ipv4) or /proc/net/tcp6 (ipv6); the header
// and rows that are not of the kernel's shape are skipped.
std::vector<TcpSocket> parseProcNetTcp(std::string_view text, ProcTcpTable table);

} // namespace tools
