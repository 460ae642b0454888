#include "PopoverPanelSnapshots.h"

#include "SampleSources.h"
#include "UI/ContentView.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int popoverWidth = 400;

int heightOf(PanelRoute route) {
    return static_cast<int>(PanelRoutes::preferredPopoverHeight(route));
}

// The popover in `state` on `route`, after `prepare` has done what a user
// would; scrolled down by `scroll` points.
Snapshot popover(const QString& name, SampleState state, PanelRoute route,
                 std::function<void(ContentView&)> prepare = {}, int scroll = 0) {
    return {name, {popoverWidth, heightOf(route)}, [=] {
                auto view =
                    std::make_unique<ContentView>(makeSampleSources(state), PopoverCallbacks{});
                view->setActivePanel(route);
                view->setAttribute(Qt::WA_DontShowOnScreen);
                view->resize(popoverWidth, heightOf(route));
                view->show();
                QCoreApplication::processEvents();
                if (prepare) {
                    prepare(*view);
                }
                view->refreshNow();
                // Layouts only: a check started by `prepare` stays in progress.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                view->scrollArea()->verticalScrollBar()->setValue(scroll);
                return std::unique_ptr<QWidget>(std::move(view));
            }};
}

Snapshot dashboard(SampleState state) {
    return popover(QStringLiteral("popover-dashboard-") + sampleStateName(state), state,
                   PanelRoute::dashboard);
}

void showAboutTab(ContentView& view) {
    view.settingsCard()->setSelectedTab(SettingsOverlayTab::about);
}

} // namespace

std::vector<Snapshot> popoverPanelSnapshots() {
    std::vector<Snapshot> snapshots;
    for (const SampleState state :
         {SampleState::good, SampleState::warning, SampleState::poor, SampleState::disconnected,
          SampleState::monitoringOff, SampleState::locationNotAuthorized,
          SampleState::captivePortal}) {
        snapshots.push_back(dashboard(state));
    }
    snapshots.push_back(popover(QStringLiteral("popover-dashboard-good-scrolled-to-end"),
                                SampleState::good, PanelRoute::dashboard, {}, 1000));
    snapshots.push_back(
        popover(QStringLiteral("popover-toolbox"), SampleState::good, PanelRoute::toolbox));
    snapshots.push_back(popover(QStringLiteral("popover-settings-general"), SampleState::good,
                                PanelRoute::settings));
    snapshots.push_back(popover(QStringLiteral("popover-settings-about"), SampleState::good,
                                PanelRoute::settings, showAboutTab));
    snapshots.push_back(popover(QStringLiteral("popover-settings-about-update-available"),
                                SampleState::updateAvailable, PanelRoute::settings, showAboutTab));
    snapshots.push_back(popover(QStringLiteral("popover-settings-checking-for-updates"),
                                SampleState::updateAvailable, PanelRoute::settings,
                                [](ContentView& view) {
                                    showAboutTab(view);
                                    view.settingsCard()->checkForUpdate();
                                }));
    for (const SampleState state : {SampleState::good, SampleState::warning, SampleState::poor}) {
        snapshots.push_back(
            popover(QStringLiteral("popover-connection-monitor-") + sampleStateName(state), state,
                    PanelRoute::connectionMonitor));
    }
    snapshots.push_back(popover(QStringLiteral("popover-captive-portal-open"), SampleState::good,
                                PanelRoute::captivePortal));
    snapshots.push_back(popover(QStringLiteral("popover-captive-portal-detected"),
                                SampleState::captivePortal, PanelRoute::captivePortal));
    return snapshots;
}
