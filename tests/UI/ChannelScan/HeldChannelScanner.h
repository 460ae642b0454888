#pragma once

#include "Platform/Async/Continuation.h"
#include "System/WiFiNetworkScanning.h"

#include <optional>
#include <vector>

// Answers every scan with the same networks. While `holdScans` is set a scan
// waits until the test releases it, ignoring cancellation as the platform's
// scan does.
class HeldChannelScanner final : public WiFiNetworkScanning {
public:
    std::vector<WiFiScannedNetwork> networks;
    bool holdScans = false;
    int scanCount = 0;

    bool isHoldingScan() const { return heldScan_.has_value(); }

    // Lets the held scan answer; false when none is held.
    bool releaseScan() {
        if (!heldScan_) {
            return false;
        }
        auto held = *heldScan_;
        heldScan_.reset();
        return held.resume();
    }

    Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() override {
        ++scanCount;
        if (holdScans) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { heldScan_ = continuation; });
        }
        co_return networks;
    }

private:
    std::optional<Async::Continuation<void>> heldScan_;
};
