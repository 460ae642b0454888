#pragma once

#include "Platform/ServiceManagement/LoginItemService.h"

// A login item that is not registered and never changes: the pictures leave
// the user's autostart folder alone.
class SampleLoginItems final : public LoginItemService {
public:
    SampleLoginItems() : LoginItemService(QString(), QStringList()) {}

    Status status() const override { return Status::notRegistered; }
    void registerItem() override {}
    void unregisterItem() override {}
    void openLoginItemsSettings() const override {}
};
