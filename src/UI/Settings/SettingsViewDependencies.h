#pragma once

#include "Core/AppBuildMetadataDisplayInfo.h"
#include "Core/AppUpdateController.h"
#include "Core/LaunchAtLoginController.h"
#include "Persistence/AppSettingsStoring.h"
#include "Platform/Bundle/BundleInfo.h"

#include <functional>
#include <memory>

// What the settings window works with: the application's one update
// controller, the preferences (only "batteryFriendly" is read and written
// here), how to build its own login-item controller when it is first shown,
// and how to read the build information, once per view.
struct SettingsViewDependencies {
    std::shared_ptr<AppUpdateController> appUpdateController;
    std::shared_ptr<AppSettingsStoring> settingsStore;
    std::function<std::shared_ptr<LaunchAtLoginController>()> makeLaunchAtLoginController = [] {
        return LaunchAtLoginController::create();
    };
    std::function<AppBuildMetadataDisplayInfo()> readBuildMetadata = [] {
        return AppBuildMetadataDisplayInfo::fromBundle(BundleInfo::mainBundle());
    };
};
