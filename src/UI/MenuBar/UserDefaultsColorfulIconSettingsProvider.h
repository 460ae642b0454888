#pragma once

#include "Persistence/AppSettingsStoring.h"
#include "UI/MenuBar/ColorfulIconSettingsProviding.h"

#include <memory>

// Reads the stored "colorfulIcon" preference on every call.
class UserDefaultsColorfulIconSettingsProvider final : public ColorfulIconSettingsProviding {
public:
    explicit UserDefaultsColorfulIconSettingsProvider(
        std::shared_ptr<AppSettingsStoring> settingsStore)
        : settingsStore_(std::move(settingsStore)) {}

    bool isColorfulIconEnabled() const override { return settingsStore_->colorfulIcon(); }

private:
    std::shared_ptr<AppSettingsStoring> settingsStore_;
};
