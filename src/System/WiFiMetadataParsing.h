#pragma once

#include <QString>

// Reads the output of the two commands the Wi-Fi metadata resolver runs.
namespace WiFiMetadataParsing {

// The output of "ipconfig getifaddr <interface>": the trimmed text when it is
// a dotted-quad IPv4 address; throws std::invalid_argument otherwise.
QString parseInterfaceIPv4Address(const QString& output);

// The output of "ifconfig": whether a line's name part (its first non-empty
// piece between colons, trimmed) begins with "utun" or "ipsec".
bool detectVPNInterface(const QString& output);

} // namespace WiFiMetadataParsing
