#include "Support/IPv6Route.h"

#include "Support/NumberText.h"
#include "Support/ProcAddressText.h"
#include "Support/TextLines.h"

#include <optional>

namespace tools {

namespace {

// "destination prefix-length source source-prefix-length next-hop metric refcount use flags
// interface", every number in hexadecimal.
constexpr std::size_t destinationField = 0;
constexpr std::size_t prefixLengthField = 1;
constexpr std::size_t nextHopField = 4;
constexpr std::size_t metricField = 5;
constexpr std::size_t flagsField = 8;
constexpr std::size_t interfaceField = 9;

std::optional<IPv6Route> parseRow(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.size() <= interfaceField) {
        return std::nullopt;
    }
    const auto destination = decodeBytesIPv6(fields[destinationField]);
    const auto prefixLength = parseHexadecimal(fields[prefixLengthField]);
    const auto nextHop = decodeBytesIPv6(fields[nextHopField]);
    const auto metric = parseHexadecimal(fields[metricField]);
    const auto flags = parseHexadecimal(fields[flagsField]);
    if (!destination || !prefixLength || *prefixLength > 128 || !nextHop || !metric || !flags) {
        return std::nullopt;
    }
    return IPv6Route{std::string(fields[interfaceField]), *destination,
                     static_cast<int>(*prefixLength),     *nextHop,
                     static_cast<unsigned>(*flags),       static_cast<unsigned>(*metric)};
}

} // namespace

std::vector<IPv6Route> parseProcNetIPv6Route(std::string_view text) {
    std::vector<IPv6Route> routes;
    for (const auto line : splitLines(text)) {
        if (const auto route = parseRow(line)) {
            routes.push_back(*route);
        }
    }
    return routes;
}

} // namespace tools
