#include "System/WiFiNetworkScannerError.h"

const char* WiFiNetworkScannerError::what() const noexcept {
    switch (case_) {
    case interfaceUnavailable:
        return "No Wi-Fi interface is available.";
    }
    return "The Wi-Fi scan failed.";
}
