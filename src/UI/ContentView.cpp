#include "UI/ContentView.h"

#include "Platform/Async/Runtime.h"
#include "UI/Dashboard/DashboardModel.h"
#include "UI/Dashboard/DashboardPanel.h"
#include "UI/Dashboard/LocationCardModel.h"
#include "UI/Ground/FocusKeeper.h"
#include "UI/Ground/SpringTransition.h"
#include "UI/Popover/CaptivePortalOverlayCard.h"
#include "UI/Popover/ConnectionMonitorOverlayCard.h"
#include "UI/Popover/PanelBackground.h"
#include "UI/Popover/PanelBorderOverlay.h"
#include "UI/Popover/PanelCrossFade.h"
#include "UI/Popover/PopoverChrome.h"
#include "UI/Popover/PopoverSampleSeries.h"
#include "UI/Popover/PopoverSettingsBindings.h"
#include "UI/Popover/PopoverStatusTexts.h"
#include "UI/Popover/SparklineDomains.h"
#include "UI/Popover/ToolboxOverlayCard.h"

#include <QHBoxLayout>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void call(const std::function<void()>& callback) {
    if (callback) {
        callback();
    }
}

} // namespace

ContentView::ContentView(Sources sources, PopoverCallbacks callbacks, QWidget* parent)
    : QWidget(parent), sources_(std::move(sources)), callbacks_(std::move(callbacks)),
      dayChangeTimer_(Async::Runtime::current().timers(), sources_.dateProvider,
                      *sources_.clockChanges, [this] { scheduleRefresh(); }) {
    setObjectName(QStringLiteral("ContentView"));
    // Holds the focus while the popover opens, so that no control is focused
    // unseen and taken by a stray Space; not a Tab stop itself.
    setFocusPolicy(Qt::ClickFocus);
    // Read out when the popover opens with it focused.
    setAccessibleName(QStringLiteral("Pelmor"));
    new FocusKeeper(this);
    buildFrame();
    buildPanels();
    observeSources();
    refreshNow();
}

ContentView::~ContentView() = default;

void ContentView::buildFrame() {
    background_ = new PanelBackground;
    background_->setFixedWidth(PopoverChrome::panelWidth);
    scrollArea_ = new QScrollArea(background_);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // No Tab stop, where Space would do nothing: the focus keeper scrolls the
    // focused control into view.
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setAutoFillBackground(false);
    scrollArea_->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    panels_ = new QVBoxLayout(content);
    panels_->setContentsMargins(0, 0, 0, 0);
    panels_->setSpacing(0);
    scrollArea_->setWidget(content);
    // The panel's gradient shows through (the scroll area fills its content
    // by default).
    content->setAutoFillBackground(false);
    border_ = new PanelBorderOverlay(background_);
    crossFade_ = new PanelCrossFade(background_);

    auto* frame = new QVBoxLayout(background_);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(scrollArea_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    layout->addWidget(background_);
    layout->addStretch(1);
}

QWidget* ContentView::padded(QWidget* panel, PanelRoute route) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(PanelRoutes::contentPadding(route));
    layout->addWidget(panel);
    page->hide();
    panels_->addWidget(page);
    return page;
}

void ContentView::buildPanels() {
    dashboard_ = new DashboardPanel(
        {.onOpenToolbox = [this] { setActivePanel(PanelRoute::toolbox); },
         .onOpenSettings = [this] { setActivePanel(PanelRoute::settings); },
         .monitoringEnabled =
             PopoverSettingsBindings::monitoringEnabledBinding(sources_.lifecycleController),
         .onLocationButton =
             [this] {
                 LocationCardModel::performButtonAction(*sources_.locationPermissionController);
             },
         .onQuit = [this] { call(callbacks_.onQuit); }},
        PanelRoutes::contentPadding(PanelRoute::dashboard));
    panels_->addWidget(dashboard_);

    toolbox_ = new ToolboxOverlayCard(
        {.onOpenWiFiRadar = [this] { call(callbacks_.onOpenWiFiRadar); },
         .onOpenDiagnosticsExport = [this] { call(callbacks_.onOpenDiagnosticsExport); },
         .onOpenSpeedTest = [this] { call(callbacks_.onOpenSpeedTestWindow); },
         .onOpenChannelScan = [this] { call(callbacks_.onOpenChannelScanWindow); },
         .onOpenConnectionMonitor = [this] { setActivePanel(PanelRoute::connectionMonitor); },
         .onOpenCaptivePortal = [this] { setActivePanel(PanelRoute::captivePortal); },
         .onClose = [this] { setActivePanel(PanelRoute::dashboard); }});
    toolboxPage_ = padded(toolbox_, PanelRoute::toolbox);

    connectionCard_ = new ConnectionMonitorOverlayCard(
        ConnectionMonitorCardContent{}, [this] { setActivePanel(PanelRoute::toolbox); });
    connectionPage_ = padded(connectionCard_, PanelRoute::connectionMonitor);

    captivePortalCard_ = new CaptivePortalOverlayCard(
        CaptivePortalCardContent{}, [this] { setActivePanel(PanelRoute::toolbox); });
    captivePortalPage_ = padded(captivePortalCard_, PanelRoute::captivePortal);
}

template <class T> void ContentView::observe(const Reactive::Published<T>& value) {
    // While the popover is closed nothing is drawn; showing it redraws.
    cancellables_.insert(value.subscribe([this](const T&) {
        if (isObserving_ && isVisible()) {
            scheduleRefresh();
        }
    }));
}

void ContentView::observeSources() {
    const auto& lifecycle = *sources_.lifecycleController;
    observe(lifecycle.isMonitoringEnabled());
    observe(lifecycle.isBatteryFriendly());
    observe(lifecycle.isPopoverPresented());
    observe(sources_.locationPermissionController->status());
    observe(sources_.healthAggregationController->healthState());
    const auto& wifi = *sources_.wifiMonitor;
    observe(wifi.isConnected());
    observe(wifi.latestSnapshot());
    observe(wifi.history());
    const auto& ping = *sources_.pingMonitor;
    observe(ping.routerResult());
    observe(ping.internetResult());
    observe(ping.routerHistory());
    observe(ping.internetHistory());
    observe(ping.isRouterIgnored());
    observe(sources_.dnsMonitor->latestResult());
    observe(sources_.dnsMonitor->history());
    const auto& connections = *sources_.connectionMonitor;
    observe(connections.latestResult());
    observe(connections.history());
    observe(connections.lastErrorMessage());
    observe(sources_.captivePortalMonitor->latestStatus());
    observe(sources_.captivePortalMonitor->lastErrorMessage());
    isObserving_ = true;
}

// Several values change together on each poll; the panel is redrawn once,
// on the next turn, from all of them.
void ContentView::scheduleRefresh() {
    if (isRefreshScheduled_) {
        return;
    }
    isRefreshScheduled_ = true;
    QTimer::singleShot(sources_.refreshCoalescingInterval, this, &ContentView::refreshNow);
}

void ContentView::refreshNow() {
    isRefreshScheduled_ = false;
    switch (activePanel_) {
    case PanelRoute::dashboard:
        dashboard_->setContent(DashboardModel::content(dashboardInputs()));
        break;
    case PanelRoute::settings:
        if (settingsCard_) {
            settingsCard_->refreshBinding();
        }
        break;
    case PanelRoute::toolbox:
        break;
    case PanelRoute::connectionMonitor:
        connectionCard_->setContent(connectionMonitorCardContent());
        break;
    case PanelRoute::captivePortal:
        captivePortalCard_->setContent(captivePortalCardContent());
        break;
    }
}

DashboardInputs ContentView::dashboardInputs() const {
    const auto& lifecycle = *sources_.lifecycleController;
    const auto& wifi = *sources_.wifiMonitor;
    const auto& ping = *sources_.pingMonitor;
    return {.isMonitoringEnabled = lifecycle.isMonitoringEnabled().value(),
            .monitoringStatusText = lifecycle.monitoringStatusText(),
            .healthState = sources_.healthAggregationController->healthState().value(),
            .isWiFiConnected = wifi.isConnected().value(),
            .latestSnapshot = wifi.latestSnapshot().value(),
            .wifiHistory = wifi.history().value(),
            .isRouterIgnored = ping.isRouterIgnored().value(),
            .routerResult = ping.routerResult().value(),
            .internetResult = ping.internetResult().value(),
            .routerHistory = ping.routerHistory().value(),
            .internetHistory = ping.internetHistory().value(),
            .dnsResult = sources_.dnsMonitor->latestResult().value(),
            .dnsHistory = sources_.dnsMonitor->history().value(),
            .captivePortalStatus = sources_.captivePortalMonitor->latestStatus().value(),
            .locationStatus = sources_.locationPermissionController->status().value()};
}

ConnectionMonitorCardContent ContentView::connectionMonitorCardContent() const {
    using namespace PopoverSampleSeries;
    const auto& monitor = *sources_.connectionMonitor;
    const auto& history = monitor.history().value();
    std::vector<double> total = connectionTotalSamples(history);
    std::vector<double> orphaned = connectionOrphanedSamples(history);
    std::vector<double> scale = total;
    scale.insert(scale.end(), orphaned.begin(), orphaned.end());
    return {.latestResult = monitor.latestResult().value(),
            .statusText = PopoverStatusTexts::connectionMonitorStatusText(
                monitor.lastErrorMessage().value(), monitor.latestResult().value()),
            .establishedSamples = connectionEstablishedSamples(history),
            .timeWaitSamples = connectionTimeWaitSamples(history),
            .closeWaitSamples = connectionCloseWaitSamples(history),
            .totalSamples = std::move(total),
            .orphanedSamples = std::move(orphaned),
            .yDomain = SparklineDomains::adaptiveConnectionDomain(scale)};
}

CaptivePortalCardContent ContentView::captivePortalCardContent() const {
    const auto& monitor = *sources_.captivePortalMonitor;
    return {monitor.latestStatus().value(),
            PopoverStatusTexts::captivePortalStatusText(monitor.lastErrorMessage().value(),
                                                        monitor.latestStatus().value()),
            sources_.dateProvider()};
}

QWidget* ContentView::panel() const {
    switch (activePanel_) {
    case PanelRoute::dashboard:
        return dashboard_;
    case PanelRoute::settings:
        return settingsPage_;
    case PanelRoute::toolbox:
        return toolboxPage_;
    case PanelRoute::connectionMonitor:
        return connectionPage_;
    case PanelRoute::captivePortal:
        return captivePortalPage_;
    }
    return dashboard_;
}

void ContentView::setActivePanel(PanelRoute route) {
    if (route == activePanel_) {
        return;
    }
    // The panel as it is now, to fade out over the new one.
    QPixmap before = isVisible() ? background_->grab() : QPixmap();
    panel()->hide();
    if (activePanel_ == PanelRoute::settings) {
        closeSettingsCard();
    }
    activePanel_ = route;
    if (route == PanelRoute::settings) {
        openSettingsCard();
    }
    refreshNow();
    panel()->show();
    scrollArea_->verticalScrollBar()->setValue(0);
    crossFade_->start(std::move(before), Springs::panelChange);
    reportPreferredHeight();
}

// A fresh card each time: the General tab, no login-item error and a
// login-item controller of its own.
void ContentView::openSettingsCard() {
    settingsCard_ = new SettingsOverlayCard(
        PopoverSettingsBindings::batteryFriendlyBinding(sources_.lifecycleController),
        sources_.appUpdateController, [this] { setActivePanel(PanelRoute::dashboard); },
        sources_.settingsEnvironment);
    settingsPage_ = padded(settingsCard_, PanelRoute::settings);
}

// The card may be the one whose Back button is being handled: it goes once
// that is over.
void ContentView::closeSettingsCard() {
    if (settingsPage_) {
        settingsPage_->deleteLater();
    }
    settingsPage_ = nullptr;
    settingsCard_ = nullptr;
}

void ContentView::reportPreferredHeight() {
    if (callbacks_.onPreferredPopoverHeightChange) {
        callbacks_.onPreferredPopoverHeightChange(
            PanelRoutes::preferredPopoverHeight(activePanel_));
    }
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setFocus(Qt::OtherFocusReason);
    refreshNow();
    dayChangeTimer_.start();
    // What changed while the popover was closed is shown as it is now.
    for (SpringTransition* transition : findChildren<SpringTransition*>()) {
        transition->finish();
    }
    reportPreferredHeight();
}

void ContentView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    crossFade_->finish();
    dayChangeTimer_.stop();
}

QPainterPath ContentView::visibleShape(QSizeF size) const {
    return PopoverChrome::panelShape(PopoverChrome::panelBounds(size));
}
