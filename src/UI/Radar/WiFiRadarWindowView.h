#pragma once

#include "Core/DateProvider.h"
#include "Core/SleepProviding.h"
#include "Core/TaskSleeper.h"
#include "Monitors/WiFiMonitor.h"
#include "Monitors/WiFiRadarMonitor.h"
#include "Monitors/WiFiRadarNearbyNetworksController.h"
#include "Platform/Reactive/CancellableSet.h"
#include "System/WiFiInterfaceProviding.h"
#include "System/WiFiNetworkScanning.h"
#include "UI/Radar/RadarDiscView.h"
#include "UI/Radar/WiFiRadarInputs.h"

#include <memory>

#include <QWidget>

class WiFiRadarContentView;

// The Wi-Fi Radar window's root view. It owns a fast link sampler and the
// nearby-network scanner of its own, runs both only while it is shown, and
// reads the application's Wi-Fi monitor as the fallback while its sampler
// has nothing yet. Published changes are gathered into one redraw on a later
// turn; while hidden it draws nothing and redraws when shown again.
class WiFiRadarWindowView : public QWidget {
    Q_OBJECT
public:
    static constexpr WiFiRadarMonitor::Configuration radarConfiguration{0.25, 120};
    static constexpr double nearbyScanInterval = 8.0;

    struct Dependencies {
        // The application's shared monitor; only read.
        std::shared_ptr<WiFiMonitor> wifiMonitor;
        std::shared_ptr<WiFiInterfaceProviding> interfaceProvider;
        std::shared_ptr<WiFiNetworkScanning> scanner;
        std::shared_ptr<SleepProviding> sleeper = std::make_shared<TaskSleeper>();
        DateProvider dateProvider = systemDateProvider();
        RadarDiscView::MonotonicClock sweepClock = std::chrono::steady_clock::now;
    };

    explicit WiFiRadarWindowView(Dependencies dependencies, QWidget* parent = nullptr);
    ~WiFiRadarWindowView() override;

    // The published values the window shows, read afresh.
    WiFiRadarInputs inputs() const;
    // Redraws from the current values at once.
    void refreshNow();

    const std::shared_ptr<WiFiRadarMonitor>& radarMonitor() const { return radarMonitor_; }
    const std::shared_ptr<WiFiRadarNearbyNetworksController>& nearbyNetworksController() const {
        return nearbyController_;
    }
    WiFiRadarContentView* contentView() const { return content_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    template <class T> void observe(const Reactive::Published<T>& value);
    void scheduleRefresh();
    void stopSampling();

    std::shared_ptr<WiFiMonitor> wifiMonitor_;
    std::shared_ptr<WiFiRadarMonitor> radarMonitor_;
    std::shared_ptr<WiFiRadarNearbyNetworksController> nearbyController_;
    WiFiRadarContentView* content_;
    bool isRefreshScheduled_ = false;
    Reactive::CancellableSet cancellables_;
};
