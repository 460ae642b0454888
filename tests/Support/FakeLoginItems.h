#pragma once

#include "Platform/ServiceManagement/LoginItemService.h"

// A login item kept in memory: registered or not, possibly awaiting the
// user's approval, and refusing every change while `refusal` is set.
class FakeLoginItems final : public LoginItemService {
public:
    FakeLoginItems() : LoginItemService(QString(), QStringList()) {}

    Status current = Status::notRegistered;
    std::optional<QString> refusal;
    mutable int statusReads = 0;
    mutable int settingsOpens = 0;

    Status status() const override {
        ++statusReads;
        return current;
    }
    void registerItem() override {
        refuseIfAsked();
        current = Status::enabled;
    }
    void unregisterItem() override {
        refuseIfAsked();
        current = Status::notRegistered;
    }
    void openLoginItemsSettings() const override { ++settingsOpens; }

private:
    void refuseIfAsked() const {
        if (refusal) {
            throw Error(*refusal);
        }
    }
};
