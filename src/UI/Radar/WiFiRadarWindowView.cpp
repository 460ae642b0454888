#include "UI/Radar/WiFiRadarWindowView.h"

#include "UI/Ground/FocusKeeper.h"
#include "UI/Radar/WiFiRadarContentView.h"
#include "UI/Radar/WiFiRadarModel.h"

#include <QTimer>
#include <QVBoxLayout>

WiFiRadarWindowView::WiFiRadarWindowView(Dependencies dependencies, QWidget* parent)
    : QWidget(parent), wifiMonitor_(std::move(dependencies.wifiMonitor)),
      radarMonitor_(WiFiRadarMonitor::create(
          radarConfiguration, std::move(dependencies.interfaceProvider),
          dependencies.sleeper ? std::move(dependencies.sleeper) : std::make_shared<TaskSleeper>(),
          std::move(dependencies.dateProvider))),
      nearbyController_(WiFiRadarNearbyNetworksController::create(std::move(dependencies.scanner),
                                                                  nearbyScanInterval)),
      content_(new WiFiRadarContentView(std::move(dependencies.sweepClock))) {
    new FocusKeeper(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content_);

    observe(radarMonitor_->latestSnapshot());
    observe(radarMonitor_->history());
    observe(nearbyController_->nearbyNetworks());
    observe(nearbyController_->lastErrorMessage());
    observe(wifiMonitor_->latestSnapshot());
    observe(wifiMonitor_->history());
    refreshNow();
}

// A running polling loop keeps its monitor alive: it is stopped here, or it
// would go on sampling after the window is gone.
WiFiRadarWindowView::~WiFiRadarWindowView() {
    stopSampling();
}

template <class T> void WiFiRadarWindowView::observe(const Reactive::Published<T>& value) {
    cancellables_.insert(value.subscribe([this](const T&) {
        if (isVisible()) {
            scheduleRefresh();
        }
    }));
}

void WiFiRadarWindowView::scheduleRefresh() {
    if (isRefreshScheduled_) {
        return;
    }
    isRefreshScheduled_ = true;
    QTimer::singleShot(0, this, &WiFiRadarWindowView::refreshNow);
}

void WiFiRadarWindowView::refreshNow() {
    isRefreshScheduled_ = false;
    content_->setContent(WiFiRadarModel::content(inputs()));
}

WiFiRadarInputs WiFiRadarWindowView::inputs() const {
    return {.radarSnapshot = radarMonitor_->latestSnapshot().value(),
            .radarHistory = radarMonitor_->history().value(),
            .wifiSnapshot = wifiMonitor_->latestSnapshot().value(),
            .wifiHistory = wifiMonitor_->history().value(),
            .nearbyNetworks = nearbyController_->nearbyNetworks().value(),
            .nearbyErrorMessage = nearbyController_->lastErrorMessage().value()};
}

void WiFiRadarWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshNow();
    radarMonitor_->start();
    nearbyController_->start();
}

void WiFiRadarWindowView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    stopSampling();
}

void WiFiRadarWindowView::stopSampling() {
    radarMonitor_->stop();
    nearbyController_->stop();
}
