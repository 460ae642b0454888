#include "App/SettingsScene.h"

#include "App/AppDelegate.h"
#include "UI/Settings/SettingsView.h"
#include "UI/Settings/SettingsWindow.h"

SettingsScene::SettingsScene(AppDelegate& delegate, std::shared_ptr<PreferenceFile> frameSettings)
    : delegate_(delegate), frameSettings_(std::move(frameSettings)) {}

SettingsScene::~SettingsScene() = default;

SettingsViewDependencies SettingsScene::viewDependencies(AppDelegate& delegate) {
    SettingsViewDependencies dependencies;
    dependencies.appUpdateController = delegate.appUpdateController();
    dependencies.settingsStore = delegate.appSettingsStore();
    // The popover changes the preference through the lifecycle controller,
    // which stores it before publishing.
    dependencies.observeBatteryFriendlyChanges =
        [lifecycle = delegate.lifecycleController()](std::function<void()> onChange) {
            return lifecycle->isBatteryFriendly().subscribe(
                [onChange = std::move(onChange)](bool) { onChange(); });
        };
    return dependencies;
}

void SettingsScene::show() {
    if (!window_) {
        window_ = std::make_unique<SettingsWindow>(viewDependencies(delegate_), frameSettings_);
    }
    window_->show();
}
