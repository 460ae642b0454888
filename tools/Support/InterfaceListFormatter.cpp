#include "Support/InterfaceListFormatter.h"

#include "Support/InterfaceFlags.h"
#include "Support/TunnelInterfaceName.h"

#include <cstdio>

namespace tools {

namespace {

std::string hexadecimal(unsigned value, const char* format) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string netmaskText(const IPv4Address& mask) {
    const auto value = (unsigned{mask[0]} << 24) | (unsigned{mask[1]} << 16) |
                       (unsigned{mask[2]} << 8) | unsigned{mask[3]};
    return hexadecimal(value, "0x%08x");
}

std::string ipv4Line(const InterfaceIPv4Address& address) {
    auto line = "\tinet " + formatIPv4(address.address);
    if (address.destination) {
        line += " --> " + formatIPv4(*address.destination);
    }
    line += " netmask " + netmaskText(address.netmask);
    if (address.broadcast) {
        line += " broadcast " + formatIPv4(*address.broadcast);
    }
    return line + '\n';
}

std::string ipv6Line(const InterfaceIPv6Address& address, const std::string& name, unsigned index) {
    auto line = "\tinet6 " + formatIPv6(address.address);
    const auto linkLocal = isLinkLocal(address.address);
    if (linkLocal) {
        line += '%' + name;
    }
    line += " prefixlen " + std::to_string(address.prefixLength);
    if (linkLocal) {
        line += " scopeid " + hexadecimal(index, "0x%x");
    }
    return line + '\n';
}

std::string block(const NetworkInterface& interface) {
    const auto name = bsdInterfaceName(interface.name, interface.index, interface.flags);
    auto text = name + ": flags=" + describeBsdInterfaceFlags(bsdInterfaceFlags(interface.flags)) +
                " mtu " + std::to_string(interface.mtu) + '\n';
    for (const auto& address : interface.ipv4Addresses) {
        text += ipv4Line(address);
    }
    for (const auto& address : interface.ipv6Addresses) {
        text += ipv6Line(address, name, interface.index);
    }
    return text;
}

} // namespace

std::string formatInterfaceList(const std::vector<NetworkInterface>& interfaces) {
    std::string text;
    for (const auto& interface : interfaces) {
        text += block(interface);
    }
    return text;
}

} // namespace tools
