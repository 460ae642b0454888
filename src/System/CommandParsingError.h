#pragma once

#include <exception>
#include <type_traits>
#include <variant>

#include <QString>

// Why a command's output could not be read. `command` is the executable path
// whose output was parsed; callers word their own messages.
class CommandParsingError final : public std::exception {
public:
    // The output holds nothing of the expected shape.
    struct MissingPattern {
        QString command;
        QString expected;
        bool operator==(const MissingPattern&) const = default;
    };
    // A field matched, but its text is not a number.
    struct InvalidNumber {
        QString command;
        QString field;
        QString value;
        bool operator==(const InvalidNumber&) const = default;
    };
    // The text is not an address of the expected kind.
    struct InvalidIPAddress {
        QString command;
        QString value;
        bool operator==(const InvalidIPAddress&) const = default;
    };
    using Case = std::variant<MissingPattern, InvalidNumber, InvalidIPAddress>;

    template <class Alternative>
    requires(!std::is_same_v<std::decay_t<Alternative>, CommandParsingError> &&
             std::is_constructible_v<Case, Alternative>)
        CommandParsingError(Alternative alternative)
        : case_(std::move(alternative)) {}

    const Case& errorCase() const noexcept { return case_; }
    template <class Alternative> const Alternative* as() const noexcept {
        return std::get_if<Alternative>(&case_);
    }

    const char* what() const noexcept override;

    bool operator==(const CommandParsingError& other) const { return case_ == other.case_; }

private:
    Case case_;
};
