#include "Support/IPv4Route.h"

#include "Support/NumberText.h"
#include "Support/ProcAddressText.h"
#include "Support/TextLines.h"

#include <optional>

namespace tools {

namespace {

// "Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT"
constexpr std::size_t interfaceField = 0;
constexpr std::size_t destinationField = 1;
constexpr std::size_t gatewayField = 2;
constexpr std::size_t flagsField = 3;
constexpr std::size_t metricField = 6;
constexpr std::size_t maskField = 7;

std::optional<IPv4Route> parseRow(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.size() <= maskField) {
        return std::nullopt;
    }
    const auto destination = decodeWordIPv4(fields[destinationField]);
    const auto gateway = decodeWordIPv4(fields[gatewayField]);
    const auto flags = parseHexadecimal(fields[flagsField]);
    const auto metric = parseDecimal(fields[metricField]);
    const auto mask = decodeWordIPv4(fields[maskField]);
    if (!destination || !gateway || !flags || !metric || !mask) {
        return std::nullopt;
    }
    return IPv4Route{std::string(fields[interfaceField]),
                     *destination,
                     prefixLength(*mask),
                     *gateway,
                     static_cast<unsigned>(*flags),
                     static_cast<unsigned>(*metric)};
}

} // namespace

std::vector<IPv4Route> parseProcNetRoute(std::string_view text) {
    std::vector<IPv4Route> routes;
    for (const auto line : splitLines(text)) {
        if (const auto route = parseRow(line)) {
            routes.push_back(*route);
        }
    }
    return routes;
}

} // namespace tools
