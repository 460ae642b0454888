#pragma once

#include <string>

namespace tools {

// Kernel TCP state numbers that the connection table treats specially.
inline constexpr int tcpStateClose = 7;
inline constexpr int tcpStateListen = 10;

// The BSD name of a kernel TCP state ("ESTABLISHED", "TIME_WAIT", "SYN_RCVD", ...); a state
// without one is shown as its decimal number, as netstat does.
std::string tcpStateName(int kernelState);

} // namespace tools
