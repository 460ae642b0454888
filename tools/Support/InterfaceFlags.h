#pragma once

#include <string>

namespace tools {

// The BSD interface flags of Linux ones: UP, BROADCAST, DEBUG, LOOPBACK, POINTOPOINT, RUNNING,
// NOARP, PROMISC and ALLMULTI share their bits; MULTICAST moves from 0x1000 to 0x8000; Linux-only
// flags are dropped.
unsigned bsdInterfaceFlags(unsigned linuxFlags);

// BSD flags as ifconfig prints them: "8043<UP,BROADCAST,RUNNING,MULTICAST>".
std::string describeBsdInterfaceFlags(unsigned bsdFlags);

} // namespace tools
