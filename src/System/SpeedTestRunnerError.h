#pragma once

#include <cstddef>
#include <exception>
#include <functional>

// Why a speed-test phase produced no measurement (transport errors and
// cancellation are thrown as they are).
class SpeedTestRunnerError final : public std::exception {
public:
    enum Case {
        // A chunk count or size of 0 or below, or no URL to send to.
        invalidRequest,
        // An answer that is not HTTP, or a status outside 200 to 299.
        invalidResponse,
        // The phase counted no bytes.
        noDataTransferred,
    };

    SpeedTestRunnerError(Case errorCase) : case_(errorCase) {}

    Case errorCase() const noexcept { return case_; }
    const char* what() const noexcept override;

    bool operator==(const SpeedTestRunnerError& other) const { return case_ == other.case_; }

private:
    Case case_;
};

template <> struct std::hash<SpeedTestRunnerError> {
    std::size_t operator()(const SpeedTestRunnerError& error) const noexcept {
        return std::hash<int>{}(error.errorCase());
    }
};
