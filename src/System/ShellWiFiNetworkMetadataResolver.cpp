#include "System/ShellWiFiNetworkMetadataResolver.h"

#include "System/CommandParsers.h"

#include <exception>

ShellWiFiNetworkMetadataResolver::ShellWiFiNetworkMetadataResolver(
    std::shared_ptr<CommandRunning> commandRunner, double commandTimeout)
    : commandRunner_(std::move(commandRunner)), commandTimeout_(commandTimeout) {}

Async::Task<std::optional<QString>>
ShellWiFiNetworkMetadataResolver::ipv4Address(QString interfaceName) {
    const auto runner = commandRunner_;
    const CommandRequest request{
        .executable = QStringLiteral("/usr/sbin/ipconfig"),
        .arguments = {QStringLiteral("getifaddr"), interfaceName},
        .timeout = commandTimeout_,
    };
    try {
        const CommandExecutionResult result = co_await runner->run(request);
        co_return CommandParsers::parseInterfaceIPv4Address(result.standardOutput);
    } catch (const std::exception&) {
        // The runner's and the parser's failures alike mean "no address".
        co_return std::nullopt;
    }
}

Async::Task<bool> ShellWiFiNetworkMetadataResolver::isVPNActive() {
    const auto runner = commandRunner_;
    const CommandRequest request{
        .executable = QStringLiteral("/sbin/ifconfig"),
        .arguments = {},
        .timeout = commandTimeout_,
    };
    try {
        const CommandExecutionResult result = co_await runner->run(request);
        co_return CommandParsers::detectVPNInterface(result.standardOutput);
    } catch (const std::exception&) {
        co_return false;
    }
}
