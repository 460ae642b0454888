#pragma once

#include "System/CommandRunning.h"
#include "System/WiFiNetworkMetadataResolving.h"

#include <memory>

// Finds an interface's IPv4 address with "ipconfig getifaddr" and whether a
// VPN tunnel is up with "ifconfig", both through the command runner. Every
// failure of a command or of its output gives no address, or no VPN.
class ShellWiFiNetworkMetadataResolver final : public WiFiNetworkMetadataResolving {
public:
    ShellWiFiNetworkMetadataResolver(std::shared_ptr<CommandRunning> commandRunner,
                                     double commandTimeout);

    const std::shared_ptr<CommandRunning>& commandRunner() const { return commandRunner_; }
    double commandTimeout() const { return commandTimeout_; }

    Async::Task<std::optional<QString>> ipv4Address(QString interfaceName) override;
    Async::Task<bool> isVPNActive() override;

private:
    std::shared_ptr<CommandRunning> commandRunner_;
    double commandTimeout_;
};
