#pragma once

#include "Support/NetworkInterface.h"

#include <string>
#include <vector>

namespace tools {

// The interface list of "ifconfig" in the BSD shape, one block per interface in the given order:
//
//   eth0: flags=8043<UP,BROADCAST,RUNNING,MULTICAST> mtu 1500
//   	inet 192.0.2.2 netmask 0xffffff00 broadcast 192.0.2.255
//   	inet6 fe80::1%eth0 prefixlen 64 scopeid 0x2
//   utun5: flags=80d1<UP,POINTOPOINT,RUNNING,NOARP,MULTICAST> mtu 1420
//   	inet 10.8.0.2 --> 10.8.0.1 netmask 0xffffffff
//
// An up tunnel interface is shown under its BSD name (see TunnelInterfaceName), here tun0.
std::string formatInterfaceList(const std::vector<NetworkInterface>& interfaces);

} // namespace tools
