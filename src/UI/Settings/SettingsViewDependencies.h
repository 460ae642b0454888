#pragma once

#include "Core/AppBuildMetadataDisplayInfo.h"
#include "Core/AppUpdateController.h"
#include "Core/LaunchAtLoginController.h"
#include "Persistence/AppSettingsStoring.h"
#include "Platform/Bundle/BundleInfo.h"
#include "Platform/Reactive/Cancellable.h"

#include <functional>
#include <memory>

// What the settings window works with: the application's one update
// controller, the preferences (only "batteryFriendly" is read and written
// here), how to hear of the preference's changes made elsewhere, how to build
// its own login-item controller when it is first shown, and how to read the
// build information, once per view.
struct SettingsViewDependencies {
    using ChangeObserver = std::function<Reactive::Cancellable(std::function<void()> onChange)>;

    std::shared_ptr<AppUpdateController> appUpdateController;
    std::shared_ptr<AppSettingsStoring> settingsStore;
    // Subscribes to changes of the stored "batteryFriendly" made outside the
    // window (the popover's switch); none when nothing else writes it.
    ChangeObserver observeBatteryFriendlyChanges = {};
    std::function<std::shared_ptr<LaunchAtLoginController>()> makeLaunchAtLoginController = [] {
        return LaunchAtLoginController::create();
    };
    std::function<AppBuildMetadataDisplayInfo()> readBuildMetadata = [] {
        return AppBuildMetadataDisplayInfo::fromBundle(BundleInfo::mainBundle());
    };
};
