#pragma once

#include "Support/TcpSocket.h"

#include <string>
#include <vector>

namespace tools {

// The TCP connection table of "netstat -n -p tcp" in the BSD shape:
//
//   Active Internet connections
//   Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)
//   tcp4       0      0  192.0.2.2.50514        198.51.100.7.443       ESTABLISHED
//
// An endpoint is "address.port". Sockets whose endpoints are IPv4 are "tcp4", the others "tcp6".
// As without "-a", listening and closed sockets (the only ones with unspecified endpoints) are
// left out. Addresses are never truncated: long ones widen their column.
std::string formatConnectionTable(const std::vector<TcpSocket>& sockets);

} // namespace tools
