#pragma once

#include <string>
#include <string_view>

namespace tools {

// The name ifconfig shows for a Linux interface. macOS VPN clients run their tunnels on "utun"
// interfaces that exist only while the VPN is connected, and that is what a VPN check looks for.
// Linux VPNs use tun (OpenVPN and most clients), tap (bridged OpenVPN) and wg (WireGuard)
// interfaces, so one of those that is up is shown as "utun<interface index>"; down, it keeps its
// name and does not read as a connected VPN. ipsec interfaces (XFRM) already carry the BSD
// name, and ppp interfaces are ppp on both systems. Every other name is kept as it is.
std::string bsdInterfaceName(std::string_view linuxName, unsigned index, unsigned linuxFlags);

} // namespace tools
