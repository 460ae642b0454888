#include "Support/InterfaceFlags.h"

#include <array>
#include <cstdio>
#include <net/if.h>
#include <string_view>
#include <utility>

namespace tools {

namespace {

constexpr unsigned bsdMulticast = 0x8000;

// Bits shared by Linux and BSD, in BSD's order of names.
constexpr std::array<std::pair<unsigned, std::string_view>, 9> sharedFlags{{
    {IFF_UP, "UP"},
    {IFF_BROADCAST, "BROADCAST"},
    {IFF_DEBUG, "DEBUG"},
    {IFF_LOOPBACK, "LOOPBACK"},
    {IFF_POINTOPOINT, "POINTOPOINT"},
    {IFF_RUNNING, "RUNNING"},
    {IFF_NOARP, "NOARP"},
    {IFF_PROMISC, "PROMISC"},
    {IFF_ALLMULTI, "ALLMULTI"},
}};

} // namespace

unsigned bsdInterfaceFlags(unsigned linuxFlags) {
    unsigned flags = 0;
    for (const auto& [bit, name] : sharedFlags) {
        flags |= linuxFlags & bit;
    }
    if ((linuxFlags & IFF_MULTICAST) != 0) {
        flags |= bsdMulticast;
    }
    return flags;
}

std::string describeBsdInterfaceFlags(unsigned bsdFlags) {
    std::string names;
    const auto append = [&names](std::string_view name) {
        names += names.empty() ? "" : ",";
        names += name;
    };
    for (const auto& [bit, name] : sharedFlags) {
        if ((bsdFlags & bit) != 0) {
            append(name);
        }
    }
    if ((bsdFlags & bsdMulticast) != 0) {
        append("MULTICAST");
    }
    char value[16];
    std::snprintf(value, sizeof value, "%x", bsdFlags);
    return std::string(value) + '<' + names + '>';
}

} // namespace tools
