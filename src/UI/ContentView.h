#pragma once

#include "AppState/HealthAggregationController.h"
#include "AppState/LocationPermissionController.h"
#include "AppState/MonitoringLifecycleController.h"
#include "Core/AppUpdateController.h"
#include "Core/DateProvider.h"
#include "Monitors/CaptivePortalMonitor.h"
#include "Monitors/ChannelScanMonitor.h"
#include "Monitors/ConnectionMonitor.h"
#include "Monitors/DNSMonitor.h"
#include "Monitors/PingMonitor.h"
#include "Monitors/SpeedTestMonitor.h"
#include "Monitors/WiFiMonitor.h"
#include "Platform/AppKit/PopoverContentShaping.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/Dashboard/DashboardInputs.h"
#include "UI/Ground/DayChangeTimer.h"
#include "UI/MenuBar/PopoverCallbacks.h"
#include "UI/PanelRoute.h"
#include "UI/Popover/CaptivePortalCardContent.h"
#include "UI/Popover/ConnectionMonitorCardContent.h"
#include "UI/Popover/SettingsOverlayCard.h"

#include <chrono>
#include <memory>

#include <QPointer>
#include <QWidget>

class CaptivePortalOverlayCard;
class ConnectionMonitorOverlayCard;
class DashboardPanel;
class PanelBackground;
class PanelCrossFade;
class PanelBorderOverlay;
class QScrollArea;
class QVBoxLayout;
class ToolboxOverlayCard;

// The popover's root view. It measures nothing: it observes the shared
// controllers and monitors, shows the live dashboard or one of four panels
// in its place (settings, toolbox, connection pressure, captive portal), asks
// its host for the height that suits the panel on show, and hands the tool
// windows and quitting back to the host. While shown, a change of panel
// cross-fades along the panel spring; closed, nothing animates. It draws the
// rounded panel only: beside and around it the popover is see-through.
class ContentView : public QWidget, public PopoverContentShaping {
    Q_OBJECT
public:
    // The shared objects the view observes, owned by the application. The
    // speed-test and channel-scan monitors are only held for the views the
    // host opens; the popover reads nothing from them.
    struct Sources {
        std::shared_ptr<MonitoringLifecycleController> lifecycleController;
        std::shared_ptr<LocationPermissionController> locationPermissionController;
        std::shared_ptr<HealthAggregationController> healthAggregationController;
        std::shared_ptr<WiFiMonitor> wifiMonitor;
        std::shared_ptr<PingMonitor> pingMonitor;
        std::shared_ptr<DNSMonitor> dnsMonitor;
        std::shared_ptr<ConnectionMonitor> connectionMonitor;
        std::shared_ptr<CaptivePortalMonitor> captivePortalMonitor;
        std::shared_ptr<SpeedTestMonitor> speedTestMonitor;
        std::shared_ptr<ChannelScanMonitor> channelScanMonitor;
        std::shared_ptr<AppUpdateController> appUpdateController;
        // What the settings panel makes for itself each time it is shown.
        SettingsOverlayCard::Environment settingsEnvironment =
            SettingsOverlayCard::Environment::production();
        // How long published changes are gathered before one redraw; the
        // monitors publish in bursts as their probes return.
        std::chrono::milliseconds refreshCoalescingInterval{200};
        // The clock the panels' times of day are read against, and where
        // changes of the wall clock are posted; it outlives the view.
        DateProvider dateProvider = systemDateProvider();
        NotificationCenter* clockChanges = &NotificationCenter::defaultCenter();
    };

    ContentView(Sources sources, PopoverCallbacks callbacks, QWidget* parent = nullptr);
    ~ContentView() override;

    PanelRoute activePanel() const { return activePanel_; }
    // The only navigation: shows the panel and, when it changed, asks the
    // host for the panel's height.
    void setActivePanel(PanelRoute route);

    // What the panels are given, read afresh from the sources.
    DashboardInputs dashboardInputs() const;
    ConnectionMonitorCardContent connectionMonitorCardContent() const;
    CaptivePortalCardContent captivePortalCardContent() const;

    DashboardPanel* dashboard() const { return dashboard_; }
    ToolboxOverlayCard* toolboxCard() const { return toolbox_; }
    // Present only while the settings panel is on show.
    SettingsOverlayCard* settingsCard() const { return settingsCard_; }
    ConnectionMonitorOverlayCard* connectionMonitorCard() const { return connectionCard_; }
    CaptivePortalOverlayCard* captivePortalCard() const { return captivePortalCard_; }
    QScrollArea* scrollArea() const { return scrollArea_; }
    QWidget* panel() const;
    // Runs while a change of panel cross-fades.
    PanelCrossFade* panelCrossFade() const { return crossFade_; }

    // Redraws the panel on show from the current values at once, rather
    // than on the next turn of the event loop.
    void refreshNow();

    QPainterPath visibleShape(QSizeF size) const override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildFrame();
    void buildPanels();
    QWidget* padded(QWidget* panel, PanelRoute route);
    void observeSources();
    template <class T> void observe(const Reactive::Published<T>& value);
    void scheduleRefresh();
    void openSettingsCard();
    void closeSettingsCard();
    void reportPreferredHeight();

    Sources sources_;
    PopoverCallbacks callbacks_;
    PanelRoute activePanel_ = PanelRoute::dashboard;
    bool isObserving_ = false;
    bool isRefreshScheduled_ = false;

    PanelBackground* background_ = nullptr;
    PanelBorderOverlay* border_ = nullptr;
    PanelCrossFade* crossFade_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QVBoxLayout* panels_ = nullptr;
    DashboardPanel* dashboard_ = nullptr;
    ToolboxOverlayCard* toolbox_ = nullptr;
    QWidget* toolboxPage_ = nullptr;
    QPointer<SettingsOverlayCard> settingsCard_;
    QPointer<QWidget> settingsPage_;
    ConnectionMonitorOverlayCard* connectionCard_ = nullptr;
    QWidget* connectionPage_ = nullptr;
    CaptivePortalOverlayCard* captivePortalCard_ = nullptr;
    QWidget* captivePortalPage_ = nullptr;
    // While shown: a time of the day before gains its date at midnight.
    DayChangeTimer dayChangeTimer_;
    Reactive::CancellableSet cancellables_;
};
