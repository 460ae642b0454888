#pragma once

#include <exception>

// Why a probe fetch brought back no HTTP answer (transport errors pass through as they are).
class CaptivePortalProbeFetcherError final : public std::exception {
public:
    enum Case { nonHTTPResponse };

    CaptivePortalProbeFetcherError(Case errorCase) : case_(errorCase) {}

    Case errorCase() const noexcept { return case_; }
    const char* what() const noexcept override;

    bool operator==(const CaptivePortalProbeFetcherError& other) const {
        return case_ == other.case_;
    }

private:
    Case case_;
};
