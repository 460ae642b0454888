#pragma once

#include "Platform/CoreWLAN/WLANError.h"
#include "Platform/CoreWLAN/WiFiClient.h"

#include <mutex>
#include <thread>
#include <variant>

// A Wi-Fi client that reports what the test sets, and records the threads it
// was called on. Safe to call from pool threads.
class FakeWiFiClient final : public WiFiClient {
public:
    void setInterface(std::optional<WLANInterface> interface) {
        const std::lock_guard lock(mutex_);
        interface_ = std::move(interface);
    }

    void setScanOutcome(std::variant<std::vector<WLANNetwork>, WLANError> outcome) {
        const std::lock_guard lock(mutex_);
        scanOutcome_ = std::move(outcome);
    }

    std::optional<WLANInterface> currentInterface() override {
        const std::lock_guard lock(mutex_);
        interfaceThread_ = std::this_thread::get_id();
        return interface_;
    }

    std::vector<WLANNetwork> scanForNetworks() override {
        const std::lock_guard lock(mutex_);
        ++scanCount_;
        scanThread_ = std::this_thread::get_id();
        if (const auto* error = std::get_if<WLANError>(&scanOutcome_)) {
            throw *error;
        }
        return std::get<std::vector<WLANNetwork>>(scanOutcome_);
    }

    int scanCount() const {
        const std::lock_guard lock(mutex_);
        return scanCount_;
    }
    std::thread::id interfaceThread() const {
        const std::lock_guard lock(mutex_);
        return interfaceThread_;
    }
    std::thread::id scanThread() const {
        const std::lock_guard lock(mutex_);
        return scanThread_;
    }

private:
    mutable std::mutex mutex_;
    std::optional<WLANInterface> interface_;
    std::variant<std::vector<WLANNetwork>, WLANError> scanOutcome_;
    int scanCount_ = 0;
    std::thread::id interfaceThread_;
    std::thread::id scanThread_;
};
