#pragma once

#include <cstdint>
#include <exception>
#include <type_traits>
#include <variant>

#include <QString>

// Why the guarded runner returned no result. Callers word their own messages;
// a non-zero exit still carries both outputs, which some probes read.
class CommandRunnerError final : public std::exception {
public:
    struct ExecutableNotAllowed {
        QString executable;
        bool operator==(const ExecutableNotAllowed&) const = default;
    };
    struct LaunchFailed {
        QString description;
        bool operator==(const LaunchFailed&) const = default;
    };
    struct TimedOut {
        QString executable;
        double timeout = 0;
        bool operator==(const TimedOut&) const = default;
    };
    struct Cancelled {
        QString executable;
        bool operator==(const Cancelled&) const = default;
    };
    struct OutputDecodingFailed {
        QString executable;
        bool operator==(const OutputDecodingFailed&) const = default;
    };
    struct NonZeroExit {
        QString executable;
        std::int32_t exitCode = 0;
        QString standardOutput;
        QString standardError;
        bool operator==(const NonZeroExit&) const = default;
    };
    using Case = std::variant<ExecutableNotAllowed, LaunchFailed, TimedOut, Cancelled,
                              OutputDecodingFailed, NonZeroExit>;

    template <class Alternative>
    requires(!std::is_same_v<std::decay_t<Alternative>, CommandRunnerError> &&
             std::is_constructible_v<Case, Alternative>) CommandRunnerError(Alternative alternative)
        : case_(std::move(alternative)) {}

    const Case& errorCase() const noexcept { return case_; }
    template <class Alternative> const Alternative* as() const noexcept {
        return std::get_if<Alternative>(&case_);
    }

    const char* what() const noexcept override;

    bool operator==(const CommandRunnerError& other) const { return case_ == other.case_; }

private:
    Case case_;
};
