#pragma once

#include "Platform/UserNotifications/UserNotificationError.h"
#include "Platform/UserNotifications/UserNotificationPosting.h"

#include <map>
#include <optional>
#include <vector>

#include <QString>

// A notification center that records what it is asked and decides as told.
class FakeNotificationPoster final : public UserNotificationPosting {
public:
    UserNotificationAuthorizationStatus status = UserNotificationAuthorizationStatus::authorized;
    // What a request for authorization decides; none makes the request fail.
    std::optional<UserNotificationAuthorizationStatus> decisionOnRequest =
        UserNotificationAuthorizationStatus::authorized;
    bool failsDelivery = false;

    std::vector<UserNotificationRequest> added;
    int authorizationRequestCount = 0;

    Async::Task<UserNotificationAuthorizationStatus> authorizationStatus() override {
        co_return status;
    }

    Async::Task<bool> requestAuthorization() override {
        ++authorizationRequestCount;
        if (!decisionOnRequest) {
            throw UserNotificationError(UserNotificationError::NotAuthorized{});
        }
        status = *decisionOnRequest;
        co_return status == UserNotificationAuthorizationStatus::authorized;
    }

    Async::Task<void> add(UserNotificationRequest request) override {
        if (failsDelivery) {
            throw UserNotificationError(UserNotificationError::DeliveryFailed{QString()});
        }
        added.push_back(std::move(request));
        co_return;
    }

    void setResponseHandler(ResponseHandler handler) override { handler_ = std::move(handler); }

    // A click on a notification with this user information; false without a handler.
    bool click(std::map<QString, QString> userInfo) {
        if (!handler_) {
            return false;
        }
        handler_(UserNotificationResponse{QStringLiteral("clicked"), std::move(userInfo)});
        return true;
    }

private:
    ResponseHandler handler_;
};
