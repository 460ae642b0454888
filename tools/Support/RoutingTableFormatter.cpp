#include "Support/RoutingTableFormatter.h"

#include "Support/ColumnText.h"
#include "Support/RouteFlags.h"

#include <net/route.h>

namespace tools {

namespace {

constexpr std::size_t ipv4AddressWidth = 18;
constexpr std::size_t ipv6AddressWidth = 39;
constexpr std::size_t flagsWidth = 10;

struct RouteRow {
    std::string destination;
    std::string gateway;
    std::string flags;
    std::string interfaceName;
};

std::string table(std::string_view familyTitle, std::size_t addressWidth,
                  const std::vector<RouteRow>& rows) {
    std::string text = "Routing tables\n\n" + std::string(familyTitle) + ":\n";
    text += leftAligned("Destination", addressWidth) + ' ' + leftAligned("Gateway", addressWidth) +
            ' ' + leftAligned("Flags", flagsWidth) + " Netif Expire\n";
    for (const auto& row : rows) {
        text += leftAligned(row.destination, addressWidth) + ' ' +
                leftAligned(row.gateway, addressWidth) + ' ' + leftAligned(row.flags, flagsWidth) +
                ' ' + row.interfaceName + '\n';
    }
    return text;
}

std::string linkGateway(const std::string& interfaceName,
                        const InterfaceIndexLookup& interfaceIndex) {
    return "link#" + std::to_string(interfaceIndex(interfaceName));
}

std::string destinationText(std::string address, int prefixLength, int fullLength) {
    if (prefixLength == 0) {
        return "default";
    }
    if (prefixLength == fullLength) {
        return address;
    }
    return address + '/' + std::to_string(prefixLength);
}

std::string ipv6Text(const IPv6Address& address, const std::string& interfaceName) {
    auto text = formatIPv6(address);
    if (isLinkLocal(address)) {
        text += '%' + interfaceName;
    }
    return text;
}

RouteRow ipv4Row(const IPv4Route& route, const InterfaceIndexLookup& interfaceIndex) {
    const auto hasGateway = (route.flags & RTF_GATEWAY) != 0;
    return {destinationText(formatIPv4(route.destination), route.prefixLength, 32),
            hasGateway ? formatIPv4(route.gateway)
                       : linkGateway(route.interfaceName, interfaceIndex),
            routeFlagLetters(route.flags, route.prefixLength == 32), route.interfaceName};
}

RouteRow ipv6Row(const IPv6Route& route, const InterfaceIndexLookup& interfaceIndex) {
    const auto hasNextHop = !isUnspecified(route.nextHop);
    return {
        destinationText(ipv6Text(route.destination, route.interfaceName), route.prefixLength, 128),
        hasNextHop ? ipv6Text(route.nextHop, route.interfaceName)
                   : linkGateway(route.interfaceName, interfaceIndex),
        routeFlagLetters(route.flags, route.prefixLength == 128), route.interfaceName};
}

} // namespace

std::string formatIPv4RoutingTable(const std::vector<IPv4Route>& routes,
                                   const InterfaceIndexLookup& interfaceIndex) {
    std::vector<RouteRow> rows;
    for (const auto& route : routes) {
        rows.push_back(ipv4Row(route, interfaceIndex));
    }
    return table("Internet", ipv4AddressWidth, rows);
}

std::string formatIPv6RoutingTable(const std::vector<IPv6Route>& routes,
                                   const InterfaceIndexLookup& interfaceIndex) {
    std::vector<RouteRow> rows;
    for (const auto& route : routes) {
        rows.push_back(ipv6Row(route, interfaceIndex));
    }
    return table("Internet6", ipv6AddressWidth, rows);
}

} // namespace tools
