#pragma once

#include <exception>

#include <QString>

// Why a scan of the nearby networks found none to report. The scan passes the
// platform's own errors through unchanged.
class WiFiNetworkScannerError final : public std::exception {
public:
    enum Case {
        interfaceUnavailable, // the machine has no Wi-Fi interface
    };

    WiFiNetworkScannerError(Case errorCase) : case_(errorCase) {}

    Case errorCase() const noexcept { return case_; }

    // A sentence for the user.
    QString description() const { return QString::fromUtf8(what()); }
    const char* what() const noexcept override;

    bool operator==(const WiFiNetworkScannerError& other) const { return case_ == other.case_; }

private:
    Case case_;
};
