#include "App/ApplicationEnvironment.h"

#include "App/SettingsScene.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "UI/ChannelScan/ChannelScanWindowView.h"
#include "UI/ContentView.h"
#include "UI/DiagnosticsExport/DiagnosticsExportWindowView.h"
#include "UI/MenuBar/StatusIconCache.h"
#include "UI/MenuBar/StatusImageComposer.h"
#include "UI/MenuBar/ToolWindowKind.h"
#include "UI/MenuBar/UserDefaultsColorfulIconSettingsProvider.h"
#include "UI/Radar/WiFiRadarWindowView.h"
#include "UI/SpeedTest/SpeedTestWindowBinder.h"
#include "UI/SpeedTest/SpeedTestWindowView.h"

#include <QApplication>

namespace {

// The view each tool window hosts, over the delegate's shared objects.
QWidget* makeToolView(AppDelegate& delegate, ToolWindowKind kind) {
    switch (kind) {
    case ToolWindowKind::wifiRadar:
        return new WiFiRadarWindowView(
            {.wifiMonitor = delegate.wifiMonitor(),
             .interfaceProvider = delegate.environment().makeInterfaceProvider(),
             .scanner = delegate.environment().makeNetworkScanner()});
    case ToolWindowKind::speedTest:
        return SpeedTestWindowBinder::makeView(delegate.speedTestMonitor(), 10);
    case ToolWindowKind::channelScan:
        return new ChannelScanWindowView(delegate.channelScanMonitor(), 10);
    case ToolWindowKind::diagnosticsExport:
        return DiagnosticsExportWindowView::make(
            {delegate.lifecycleController(), delegate.healthAggregationController(),
             delegate.connectionMonitor(), delegate.captivePortalMonitor(),
             delegate.speedTestMonitor(), delegate.channelScanMonitor()});
    }
    Q_UNREACHABLE();
    return nullptr;
}

ContentView::Sources popoverSources(AppDelegate& delegate) {
    ContentView::Sources sources;
    sources.lifecycleController = delegate.lifecycleController();
    sources.locationPermissionController = delegate.locationPermissionController();
    sources.healthAggregationController = delegate.healthAggregationController();
    sources.wifiMonitor = delegate.wifiMonitor();
    sources.pingMonitor = delegate.pingMonitor();
    sources.dnsMonitor = delegate.dnsMonitor();
    sources.connectionMonitor = delegate.connectionMonitor();
    sources.captivePortalMonitor = delegate.captivePortalMonitor();
    sources.speedTestMonitor = delegate.speedTestMonitor();
    sources.channelScanMonitor = delegate.channelScanMonitor();
    sources.appUpdateController = delegate.appUpdateController();
    return sources;
}

std::shared_ptr<MenuBarController> makeMenuBarController(AppDelegate& delegate) {
    // In the preference file the settings store uses.
    const std::shared_ptr<PreferenceFile> frameSettings = delegate.environment().preferenceFile;
    auto openSettings = [settingsScene = std::make_shared<SettingsScene>(delegate, frameSettings)] {
        settingsScene->show();
    };
    return MenuBarController::create(MenuBarController::Dependencies{
        delegate.lifecycleController(), delegate.locationPermissionController(),
        delegate.healthAggregationController(),
        std::make_shared<UserDefaultsColorfulIconSettingsProvider>(delegate.appSettingsStore()),
        [sources = popoverSources(delegate)](PopoverCallbacks callbacks) -> QWidget* {
            return new ContentView(sources, std::move(callbacks));
        },
        [&delegate](ToolWindowKind kind) { return makeToolView(delegate, kind); },
        [icons = std::make_shared<StatusIconCache>(StatusImageComposer::makeStatusIcon)](
            const MenuBarIconStyle& style, const QString& description) {
            return icons->icon(style, description);
        },
        [] { QApplication::quit(); }, std::move(openSettings), frameSettings});
}

} // namespace

AppDelegate::Environment makeApplicationEnvironment() {
    auto environment = AppDelegate::productionEnvironment();
    environment.makeMenuBarController = makeMenuBarController;
    return environment;
}
