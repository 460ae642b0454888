#pragma once

#include "Core/AppBuildMetadataDisplayInfo.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/Settings/SettingsTab.h"
#include "UI/Settings/SettingsViewDependencies.h"

#include <memory>
#include <optional>

#include <QWidget>

class LaunchAtLoginAlert;
class QScrollArea;
class SettingsAboutPage;
class SettingsGeneralPage;
class SettingsSidebar;
struct SettingsColors;

// The content of the settings window: the sidebar with one button per tab, a
// divider, and a pane that scrolls (without visible scroll bars) through the
// selected tab's page. It follows the desktop's palette.
//
// It measures nothing and starts nothing until it is shown. When first shown
// it builds its own login-item controller; each time the General page is
// shown it rereads the battery-friendly preference and the login item's
// state, it rereads the login item whenever its window becomes active, and it
// follows the preference and the login item whenever either changes elsewhere
// (the popover's card). A switch shows the state as stored or as the controller
// read it back, never merely what the user asked for; a refused login-item change is reported in an
// alert opened on a later turn, so the switch's handler never waits on the user.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize idealWindowSize{760, 460};
    static constexpr QSize minimumWindowSize{720, 440};

    explicit SettingsView(SettingsViewDependencies dependencies, QWidget* parent = nullptr);
    ~SettingsView() override;

    SettingsTab selectedTab() const { return selectedTab_; }
    // What a sidebar button does; selecting the shown tab changes nothing.
    void selectTab(SettingsTab tab);

    bool isBatteryFriendly() const { return isBatteryFriendly_; }
    // None until the view is first shown.
    const std::shared_ptr<LaunchAtLoginController>& launchAtLoginController() const {
        return launchAtLoginController_;
    }
    // The message of the last refused login-item change, until the alert is dismissed.
    const std::optional<QString>& launchAtLoginError() const { return launchAtLoginError_; }
    bool isCheckingForUpdate() const { return isCheckingForUpdate_; }
    const AppBuildMetadataDisplayInfo& buildMetadata() const { return buildMetadata_; }

    // The check button's action: one manual check, which completes even when
    // the view is gone.
    void checkForUpdate();

    SettingsSidebar* sidebar() const { return sidebar_; }
    QScrollArea* contentPane() const { return contentPane_; }
    SettingsGeneralPage* generalPage() const { return generalPage_; }
    SettingsAboutPage* aboutPage() const { return aboutPage_; }
    LaunchAtLoginAlert* launchAtLoginAlert() const { return alert_; }

    QSize sizeHint() const override { return idealWindowSize; }
    QSize minimumSizeHint() const override { return minimumWindowSize; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeContentPane();
    void connectPages();
    void observeUpdates();
    void observeBatteryFriendly();
    // On a later turn, once for a burst of changes.
    void scheduleBatteryFriendlyReread();
    void ensureLaunchAtLoginController();
    // Each time the General page comes into view.
    void generalPageAppeared();

    void switchBatteryFriendly(bool on);
    void switchLaunchAtLogin(bool on);
    void openSystemSettings();
    void presentLaunchAtLoginError();
    void dismissLaunchAtLoginError();
    void finishUpdateCheck();
    void downloadUpdate();

    void redraw();
    void redrawGeneral();
    void redrawAbout();
    void applyColors();

    SettingsViewDependencies dependencies_;
    SettingsTab selectedTab_ = SettingsTab::general;
    bool isBatteryFriendly_;
    std::shared_ptr<LaunchAtLoginController> launchAtLoginController_;
    std::optional<QString> launchAtLoginError_;
    bool isCheckingForUpdate_ = false;
    bool isBatteryFriendlyRereadScheduled_ = false;
    AppBuildMetadataDisplayInfo buildMetadata_;

    SettingsSidebar* sidebar_;
    QWidget* divider_;
    QScrollArea* contentPane_;
    SettingsGeneralPage* generalPage_;
    SettingsAboutPage* aboutPage_;
    LaunchAtLoginAlert* alert_;
    Reactive::CancellableSet updateSubscriptions_;
    Reactive::CancellableSet loginItemSubscriptions_;
    Reactive::CancellableSet preferenceSubscriptions_;
};
