#include "InterfaceInventory.h"

#include <algorithm>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using tools::NetworkInterface;

std::vector<NetworkInterface> namedInterfaces() {
    std::vector<NetworkInterface> interfaces;
    auto* names = if_nameindex();
    if (names == nullptr) {
        return interfaces;
    }
    for (auto* entry = names; entry->if_index != 0; ++entry) {
        NetworkInterface interface;
        interface.name = entry->if_name;
        interface.index = entry->if_index;
        interfaces.push_back(std::move(interface));
    }
    if_freenameindex(names);
    std::ranges::sort(interfaces, {}, &NetworkInterface::index);
    return interfaces;
}

void readFlagsAndMtu(int socket, NetworkInterface& interface) {
    ifreq request{};
    std::strncpy(request.ifr_name, interface.name.c_str(), IFNAMSIZ - 1);
    if (ioctl(socket, SIOCGIFFLAGS, &request) == 0) {
        interface.flags = static_cast<unsigned short>(request.ifr_flags);
    }
    if (ioctl(socket, SIOCGIFMTU, &request) == 0) {
        interface.mtu = request.ifr_mtu;
    }
}

template <std::size_t size> std::array<std::uint8_t, size> bytesOf(const void* address) {
    std::array<std::uint8_t, size> bytes{};
    std::memcpy(bytes.data(), address, size);
    return bytes;
}

tools::IPv4Address ipv4Of(const sockaddr* address) {
    return bytesOf<4>(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
}

tools::IPv6Address ipv6Of(const sockaddr* address) {
    return bytesOf<16>(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
}

tools::InterfaceIPv4Address ipv4Assignment(const ifaddrs& entry) {
    tools::InterfaceIPv4Address assignment;
    assignment.address = ipv4Of(entry.ifa_addr);
    if (entry.ifa_netmask != nullptr) {
        assignment.netmask = ipv4Of(entry.ifa_netmask);
    }
    // ifa_broadaddr and ifa_dstaddr share their storage; the flags say which one it is.
    if (entry.ifa_broadaddr != nullptr && entry.ifa_broadaddr->sa_family == AF_INET) {
        if ((entry.ifa_flags & IFF_POINTOPOINT) != 0) {
            assignment.destination = ipv4Of(entry.ifa_dstaddr);
        } else if ((entry.ifa_flags & IFF_BROADCAST) != 0) {
            assignment.broadcast = ipv4Of(entry.ifa_broadaddr);
        }
    }
    return assignment;
}

tools::InterfaceIPv6Address ipv6Assignment(const ifaddrs& entry) {
    tools::InterfaceIPv6Address assignment;
    assignment.address = ipv6Of(entry.ifa_addr);
    if (entry.ifa_netmask != nullptr) {
        assignment.prefixLength = tools::prefixLength(ipv6Of(entry.ifa_netmask));
    }
    return assignment;
}

// Labelled IPv4 addresses ("eth0:1") belong to their interface ("eth0").
NetworkInterface* interfaceNamed(std::vector<NetworkInterface>& interfaces, std::string_view name) {
    const auto base = name.substr(0, name.find(':'));
    const auto found = std::ranges::find(interfaces, base, &NetworkInterface::name);
    return found == interfaces.end() ? nullptr : &*found;
}

void addAddresses(std::vector<NetworkInterface>& interfaces) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return;
    }
    for (auto* entry = list; entry != nullptr; entry = entry->ifa_next) {
        auto* interface = interfaceNamed(interfaces, entry->ifa_name);
        if (entry->ifa_addr == nullptr || interface == nullptr) {
            continue;
        }
        if (entry->ifa_addr->sa_family == AF_INET) {
            interface->ipv4Addresses.push_back(ipv4Assignment(*entry));
        } else if (entry->ifa_addr->sa_family == AF_INET6) {
            interface->ipv6Addresses.push_back(ipv6Assignment(*entry));
        }
    }
    freeifaddrs(list);
}

} // namespace

std::vector<NetworkInterface> currentInterfaces() {
    auto interfaces = namedInterfaces();
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket >= 0) {
        for (auto& interface : interfaces) {
            readFlagsAndMtu(socket, interface);
        }
        close(socket);
    }
    addAddresses(interfaces);
    return interfaces;
}
