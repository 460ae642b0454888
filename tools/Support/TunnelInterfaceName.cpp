#include "Support/TunnelInterfaceName.h"

#include <array>
#include <net/if.h>

namespace tools {

namespace {

bool isTunnelName(std::string_view name) {
    constexpr std::array<std::string_view, 3> prefixes{"tun", "tap", "wg"};
    for (const auto prefix : prefixes) {
        if (name.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string bsdInterfaceName(std::string_view linuxName, unsigned index, unsigned linuxFlags) {
    if (isTunnelName(linuxName) && (linuxFlags & IFF_UP) != 0) {
        return "utun" + std::to_string(index);
    }
    return std::string(linuxName);
}

} // namespace tools
