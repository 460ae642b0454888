// /usr/sbin/ipconfig: an interface's IPv4 address ("getifaddr <interface>") and its router
// ("getoption <interface> router"), printed alone on a line; exit status 1 and no output when
// the interface has none.
#include "Support/InterfaceRouter.h"
#include "Support/IpconfigInvocation.h"
#include "Support/TextFile.h"
#include "Support/UsageExit.h"

#include <cstring>
#include <ifaddrs.h>
#include <iostream>
#include <netinet/in.h>

namespace {

// The interface's first (primary) IPv4 address.
std::optional<tools::IPv4Address> interfaceAddress(const std::string& interfaceName) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return std::nullopt;
    }
    std::optional<tools::IPv4Address> found;
    for (auto* entry = list; entry != nullptr && !found; entry = entry->ifa_next) {
        if (entry->ifa_addr != nullptr && entry->ifa_addr->sa_family == AF_INET &&
            interfaceName == entry->ifa_name) {
            const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
            tools::IPv4Address address{};
            std::memcpy(address.data(), &ipv4->sin_addr, address.size());
            found = address;
        }
    }
    freeifaddrs(list);
    return found;
}

std::optional<tools::IPv4Address> router(const std::string& interfaceName) {
    const auto table = tools::readTextFile("/proc/net/route");
    if (!table) {
        return std::nullopt;
    }
    return tools::interfaceRouter(tools::parseProcNetRoute(*table), interfaceName);
}

} // namespace

int main(int argc, char** argv) {
    const auto query = tools::ipconfigQueryFor(tools::argumentsOf(argc, argv));
    if (!query) {
        return tools::reportUsage(
            "ipconfig getifaddr interface | ipconfig getoption interface router");
    }
    const auto address = query->kind == tools::IpconfigQuery::Kind::interfaceAddress
                             ? interfaceAddress(query->interfaceName)
                             : router(query->interfaceName);
    if (!address) {
        return 1;
    }
    std::cout << tools::formatIPv4(*address) << '\n';
    return 0;
}
