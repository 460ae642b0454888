#include "App/ApplicationEnvironment.h"

#include "UI/ContentView.h"
#include "UI/MenuBar/StatusIconCache.h"
#include "UI/MenuBar/StatusImageComposer.h"
#include "UI/MenuBar/ToolWindowKind.h"
#include "UI/Settings/SettingsView.h"
#include "UI/Settings/SettingsWindow.h"
#include "UI/UserDefaultsColorfulIconSettingsProvider.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>

namespace {

// A tool window whose tool is not built yet says so.
QWidget* makePendingToolView(ToolWindowKind kind) {
    auto* label =
        new QLabel(QStringLiteral("%1 is not built yet.").arg(toolWindowDescriptor(kind).title));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The view each tool window hosts, over the delegate's shared objects.
QWidget* makeToolView(AppDelegate& /*delegate*/, ToolWindowKind kind) {
    switch (kind) {
    case ToolWindowKind::wifiRadar:
        return makePendingToolView(kind);
    case ToolWindowKind::speedTest:
        return makePendingToolView(kind);
    case ToolWindowKind::channelScan:
        return makePendingToolView(kind);
    case ToolWindowKind::diagnosticsExport:
        return makePendingToolView(kind);
    }
    return makePendingToolView(kind);
}

std::shared_ptr<QSettings> windowFrameSettings() {
    return std::make_shared<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("pelmor"), QStringLiteral("pelmor"));
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
    // The settings window is built when first opened and kept for the run.
    auto settingsWindow = std::make_shared<std::unique_ptr<SettingsWindow>>();
    auto openSettings = [&delegate, settingsWindow] {
        if (!*settingsWindow) {
            *settingsWindow = std::make_unique<SettingsWindow>(SettingsViewDependencies{
                delegate.appUpdateController(), delegate.appSettingsStore()});
        }
        (*settingsWindow)->show();
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
        [] { QApplication::quit(); }, std::move(openSettings), windowFrameSettings()});
}

} // namespace

AppDelegate::Environment makeApplicationEnvironment() {
    auto environment = AppDelegate::productionEnvironment();
    environment.makeMenuBarController = makeMenuBarController;
    return environment;
}
