#pragma once

#include "Core/AppUpdateController.h"
#include "Core/LaunchAtLoginController.h"
#include "Platform/Bundle/BundleInfo.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/Popover/FlagBinding.h"
#include "UI/Popover/SettingsOverlayTab.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QWidget>

class Capsule;
class OneLineLabel;
class OverlayCardHeader;
class PopoverPushButton;
class SettingsOverlayKeyValueRow;
class SettingsOverlayTabButton;
class SwitchToggle;
class UpdateAvailableCard;
class WrappingLabel;

// The popover's settings panel: battery-friendly mode and launch at login on
// the General tab, the build information and the update check on the About
// tab, and Back to the dashboard. It keeps no preference of its own: the
// battery-friendly switch writes its binding, launch at login goes through a
// login-item controller the card makes for itself, and updates through the
// shared update controller. Each switch shows what its owner reports after a
// write, so a refused change springs back. The login item is reread whenever
// the card is shown or its window becomes active, and its switch follows a
// change made through any other controller (the settings window's).
class SettingsOverlayCard : public QWidget {
    Q_OBJECT
public:
    // What the card makes for itself; production's by default.
    struct Environment {
        std::function<std::shared_ptr<LaunchAtLoginController>()> makeLaunchAtLoginController;
        std::function<BundleInfo()> bundle;

        static Environment production();
    };

    SettingsOverlayCard(FlagBinding isBatteryFriendly,
                        std::shared_ptr<AppUpdateController> appUpdateController,
                        std::function<void()> onClose,
                        Environment environment = Environment::production(),
                        QWidget* parent = nullptr);
    ~SettingsOverlayCard() override;

    SettingsOverlayTab selectedTab() const { return selectedTab_; }
    void setSelectedTab(SettingsOverlayTab tab);

    // Shows the battery-friendly binding's value again; the owner calls it
    // whenever the value behind the binding may have changed.
    void refreshBinding();

    // Launch at login as a flag binding: reads the login-item controller; a
    // write asks it for the change and keeps or clears the error to show.
    FlagBinding launchAtLoginBinding();
    // Starts a manual update check unless one runs; the button shows a
    // spinner and takes no clicks until it ends, whatever its outcome.
    void checkForUpdate();

    const std::optional<QString>& launchAtLoginError() const { return launchAtLoginError_; }
    bool isCheckingForUpdate() const { return isCheckingForUpdate_; }
    const std::shared_ptr<LaunchAtLoginController>& launchAtLoginController() const {
        return launchAtLoginController_;
    }

    OverlayCardHeader* header() const { return header_; }
    const std::array<SettingsOverlayTabButton*, 2>& tabButtons() const { return tabButtons_; }
    QWidget* generalTab() const { return generalTab_; }
    QWidget* aboutTab() const { return aboutTab_; }
    SwitchToggle* batteryFriendlySwitch() const { return batterySwitch_; }
    QString modeBadgeText() const;
    SwitchToggle* launchAtLoginSwitch() const { return launchSwitch_; }
    QWidget* approvalRow() const { return approvalRow_; }
    PopoverPushButton* approvalOpenButton() const { return approvalOpen_; }
    WrappingLabel* launchAtLoginErrorLabel() const { return errorLabel_; }
    const std::array<SettingsOverlayKeyValueRow*, 3>& buildRows() const { return buildRows_; }
    UpdateAvailableCard* updateCard() const { return updateCard_; }
    PopoverPushButton* updateButton() const { return updateButton_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeTabBar();
    QWidget* makeGeneralTab();
    QWidget* makeBatteryCard();
    QWidget* makeLaunchAtLoginCard();
    QWidget* makeApprovalRow();
    QWidget* makeAboutTab(const BundleInfo& bundle);
    QWidget* makeAboutFooter();
    void observeControllers();
    void showLaunchAtLoginError(std::optional<QString> error);
    void showAvailableUpdate(const std::optional<AvailableUpdate>& update);
    void finishUpdateCheck();

    FlagBinding isBatteryFriendly_;
    std::shared_ptr<AppUpdateController> appUpdateController_;
    std::function<void()> onClose_;
    std::shared_ptr<LaunchAtLoginController> launchAtLoginController_;
    SettingsOverlayTab selectedTab_ = SettingsOverlayTab::general;
    std::optional<QString> launchAtLoginError_;
    bool isCheckingForUpdate_ = false;

    OverlayCardHeader* header_ = nullptr;
    std::array<SettingsOverlayTabButton*, 2> tabButtons_{};
    QWidget* generalTab_ = nullptr;
    QWidget* aboutTab_ = nullptr;
    SwitchToggle* batterySwitch_ = nullptr;
    Capsule* modeBadge_ = nullptr;
    OneLineLabel* modeBadgeLabel_ = nullptr;
    SwitchToggle* launchSwitch_ = nullptr;
    QWidget* approvalRow_ = nullptr;
    PopoverPushButton* approvalOpen_ = nullptr;
    WrappingLabel* errorLabel_ = nullptr;
    std::array<SettingsOverlayKeyValueRow*, 3> buildRows_{};
    UpdateAvailableCard* updateCard_ = nullptr;
    PopoverPushButton* updateButton_ = nullptr;
    Reactive::CancellableSet cancellables_;
};
