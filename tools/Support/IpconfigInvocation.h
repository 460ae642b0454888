#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tools {

struct IpconfigQuery {
    enum class Kind { interfaceAddress, router };

    Kind kind;
    std::string interfaceName;

    bool operator==(const IpconfigQuery&) const = default;
};

// "getifaddr <interface>" or "getoption <interface> router"; none for any other arguments or
// for a text that cannot be an interface name.
std::optional<IpconfigQuery> ipconfigQueryFor(const std::vector<std::string>& arguments);

} // namespace tools
