#include "Support/PingSummaryRewriter.h"

#include "Support/NumberText.h"

#include <cstdio>
#include <optional>
#include <regex>

namespace tools {

namespace {

struct PacketCounts {
    std::uint64_t transmitted = 0;
    std::uint64_t received = 0;
    std::optional<std::string> duplicates;
};

std::optional<PacketCounts> parsePacketCounts(const std::string& line) {
    static const std::regex counts(R"(^(\d+) packets transmitted, (\d+) received(.*)$)");
    static const std::regex duplicates(R"(, \+(\d+) duplicates)");
    std::smatch match;
    if (!std::regex_match(line, match, counts)) {
        return std::nullopt;
    }
    const auto transmitted = parseDecimal(match[1].str());
    const auto received = parseDecimal(match[2].str());
    if (!transmitted || !received) {
        return std::nullopt;
    }
    PacketCounts result{*transmitted, *received, std::nullopt};
    const auto rest = match[3].str();
    std::smatch duplicateMatch;
    if (std::regex_search(rest, duplicateMatch, duplicates)) {
        result.duplicates = duplicateMatch[1].str();
    }
    return result;
}

std::string lossText(const PacketCounts& counts) {
    if (counts.received > counts.transmitted) {
        return "-- somebody's printing up packets!";
    }
    const auto loss = static_cast<double>(counts.transmitted - counts.received) * 100.0 /
                      static_cast<double>(counts.transmitted);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%% packet loss", loss);
    return text;
}

std::string bsdPacketCountLine(const PacketCounts& counts) {
    auto line = std::to_string(counts.transmitted) + " packets transmitted, " +
                std::to_string(counts.received) + " packets received, ";
    if (counts.duplicates) {
        line += "+" + *counts.duplicates + " duplicates, ";
    }
    if (counts.transmitted > 0) {
        line += lossText(counts);
    }
    return line;
}

std::optional<std::string> bsdRoundTripLine(const std::string& line) {
    static const std::regex roundTrip(
        R"(^rtt min/avg/max/mdev = ([0-9.]+)/([0-9.]+)/([0-9.]+)/([0-9.]+) ms(,.*)?$)");
    std::smatch match;
    if (!std::regex_match(line, match, roundTrip)) {
        return std::nullopt;
    }
    return "round-trip min/avg/max/stddev = " + match[1].str() + '/' + match[2].str() + '/' +
           match[3].str() + '/' + match[4].str() + " ms";
}

} // namespace

std::string rewritePingOutputLine(std::string_view line) {
    const std::string text(line);
    if (const auto counts = parsePacketCounts(text)) {
        return bsdPacketCountLine(*counts);
    }
    if (const auto roundTrip = bsdRoundTripLine(text)) {
        return *roundTrip;
    }
    return text;
}

} // namespace tools
