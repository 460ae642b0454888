#include "Support/PingRelay.h"

#include "Support/ChildProcess.h"
#include "Support/PingExitStatus.h"
#include "Support/PingSummaryRewriter.h"

#include <array>
#include <iostream>
#include <optional>
#include <string_view>
#include <sysexits.h>
#include <unistd.h>

namespace tools {

namespace {

// Debian installs iputils ping in /usr/bin; older layouts keep it in /bin.
std::optional<std::string> hostPingPath() {
    constexpr std::array<std::string_view, 2> candidates{"/usr/bin/ping", "/bin/ping"};
    for (const auto candidate : candidates) {
        const std::string path(candidate);
        if (access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return std::nullopt;
}

} // namespace

int relayHostPing(const std::vector<std::string>& hostArguments) {
    const auto path = hostPingPath();
    if (!path) {
        std::cerr << "ping: the host's ping is not installed\n";
        return EX_UNAVAILABLE;
    }
    const auto status = runReadingLines(*path, hostArguments, [](std::string_view line) {
        std::cout << rewritePingOutputLine(line) << '\n' << std::flush;
    });
    if (!status) {
        std::cerr << "ping: cannot run " << *path << '\n';
        return EX_OSERR;
    }
    return bsdPingExitStatus(*status);
}

} // namespace tools
