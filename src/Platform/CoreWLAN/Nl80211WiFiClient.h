#pragma once

#include "Platform/CoreWLAN/Nl80211BssRecord.h"
#include "Platform/CoreWLAN/Nl80211InterfaceRecord.h"
#include "Platform/CoreWLAN/Nl80211Socket.h"
#include "Platform/CoreWLAN/Nl80211StationRecord.h"
#include "Platform/CoreWLAN/Nl80211SurveyRecord.h"
#include "Platform/CoreWLAN/WiFiClient.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <span>

// The Wi-Fi client over the kernel's nl80211 interface. The current interface
// is read on one socket kept open for the client's life (three dumps: the
// interfaces, the associated access point, the channel survey); each scan
// opens sockets of its own, so that a scan running on a pool thread never
// holds up a reading on the main thread.
class Nl80211WiFiClient final : public WiFiClient {
public:
    // What the noise of the channel in use reads when the driver measures
    // none: a typical floor of a 20 MHz channel (thermal noise of -101 dBm
    // plus a receiver's noise figure). A 0 would turn every signal-to-noise
    // ratio negative and grade every link poor.
    static constexpr std::int64_t assumedNoiseFloorDbm = -95;

    // How long a triggered scan may take before it counts as failed.
    static constexpr std::chrono::seconds scanTimeout{15};

    std::optional<WLANInterface> currentInterface() override;
    std::vector<WLANNetwork> scanForNetworks() override;

    // The interface to read: the first associated client (station) interface,
    // else the first client interface; none without one.
    static std::optional<Nl80211InterfaceRecord>
    stationInterface(std::span<const Nl80211InterfaceRecord> interfaces);

    // The reading of a client interface, given the access point it is
    // associated with (none: not associated) and the channel surveys.
    static WLANInterface interfaceReading(const Nl80211InterfaceRecord& interface,
                                          const std::optional<Nl80211StationRecord>& accessPoint,
                                          std::span<const Nl80211SurveyRecord> surveys);

    static WLANNetwork network(const Nl80211BssRecord& bss);

private:
    std::mutex mutex_;
    std::unique_ptr<Nl80211Socket> socket_;
};
