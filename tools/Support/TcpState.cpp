#include "Support/TcpState.h"

#include <array>
#include <string_view>

namespace tools {

std::string tcpStateName(int kernelState) {
    // Indexed by the kernel's numbering (include/net/tcp_states.h); NEW_SYN_RECV (12) is a
    // pending connection request, which BSD calls SYN_RCVD as well.
    static constexpr std::array<std::string_view, 13> names{
        "",       "ESTABLISHED", "SYN_SENT", "SYN_RCVD", "FIN_WAIT_1", "FIN_WAIT_2", "TIME_WAIT",
        "CLOSED", "CLOSE_WAIT",  "LAST_ACK", "LISTEN",   "CLOSING",    "SYN_RCVD"};
    if (kernelState <= 0 || kernelState >= static_cast<int>(names.size())) {
        return std::to_string(kernelState);
    }
    return std::string(names[static_cast<std::size_t>(kernelState)]);
}

} // namespace tools
