#pragma once

#include <exception>
#include <type_traits>
#include <utility>
#include <variant>

#include <QString>

// Why a notification was not posted.
class UserNotificationError final : public std::exception {
public:
    // Authorization was never asked for, or no notification service answers.
    struct NotAuthorized {
        bool operator==(const NotAuthorized&) const = default;
    };
    // The notification service refused the notification or did not answer.
    struct DeliveryFailed {
        QString description;
        bool operator==(const DeliveryFailed&) const = default;
    };
    using Case = std::variant<NotAuthorized, DeliveryFailed>;

    template <class Alternative>
    requires(!std::is_same_v<std::decay_t<Alternative>, UserNotificationError> &&
             std::is_constructible_v<Case, Alternative>)
        UserNotificationError(Alternative alternative)
        : case_(std::move(alternative)) {}

    const Case& errorCase() const noexcept { return case_; }
    template <class Alternative> const Alternative* as() const noexcept {
        return std::get_if<Alternative>(&case_);
    }

    const char* what() const noexcept override;

    bool operator==(const UserNotificationError& other) const { return case_ == other.case_; }

private:
    Case case_;
};
