#pragma once

#include "UI/Dashboard/DashboardContent.h"
#include "UI/Popover/FlagBinding.h"

#include <array>
#include <functional>
#include <vector>

#include <QMargins>
#include <QWidget>

class DashboardHeader;
class InlineMessageRow;
class LocationPermissionCard;
class MetricRow;
class MetricTrendRow;
class MonitoringSwitchRow;
class PopoverPushButton;
class SpringFadeIn;
class WiFiNetworkHeaderRow;

// The live dashboard: header, monitoring switch, messages, the network line,
// the Wi-Fi, latency and DNS sections, the location card and Quit. It paints
// what it is given and calls back for every action; it reads nothing itself.
// While shown, messages that a change of the monitoring switch brings fade in
// along the state-change spring.
class DashboardPanel : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> onOpenToolbox;
        std::function<void()> onOpenSettings;
        FlagBinding monitoringEnabled;
        std::function<void()> onLocationButton;
        std::function<void()> onQuit;
    };

    DashboardPanel(Actions actions, const QMargins& padding, QWidget* parent = nullptr);

    void setContent(const DashboardContent& content);
    const DashboardContent& content() const { return content_; }

    DashboardHeader* header() const { return header_; }
    MonitoringSwitchRow* monitoringRow() const { return monitoringRow_; }
    // The message rows on show, top to bottom.
    std::vector<InlineMessageRow*> shownMessageRows() const;
    WiFiNetworkHeaderRow* networkHeader() const { return networkHeader_; }
    const std::array<MetricTrendRow*, 4>& wifiRows() const { return wifiRows_; }
    const std::array<MetricTrendRow*, 3>& latencyTrendRows() const { return latencyRows_; }
    MetricRow* packetLossRow() const { return packetLoss_; }
    MetricRow* domainRow() const { return domain_; }
    MetricTrendRow* lookupRow() const { return lookup_; }
    LocationPermissionCard* locationCard() const { return location_; }
    PopoverPushButton* quitButton() const { return quit_; }
    bool isFadingInMessages() const;

private:
    QWidget* makeNetworkSection();
    QWidget* makeWiFiSection();
    QWidget* makeLatencySection();
    QWidget* makeDNSSection();
    QWidget* makeFooter(std::function<void()> onQuit);
    // The rows that were hidden and are now shown.
    std::vector<QWidget*> showMessages(const std::vector<DashboardMessage>& messages);

    DashboardContent content_;
    DashboardHeader* header_;
    MonitoringSwitchRow* monitoringRow_;
    std::array<InlineMessageRow*, 3> messageRows_{};
    WiFiNetworkHeaderRow* networkHeader_ = nullptr;
    std::array<MetricTrendRow*, 4> wifiRows_{};
    std::array<MetricTrendRow*, 3> latencyRows_{};
    MetricRow* packetLoss_ = nullptr;
    MetricRow* domain_ = nullptr;
    MetricTrendRow* lookup_ = nullptr;
    LocationPermissionCard* location_ = nullptr;
    PopoverPushButton* quit_ = nullptr;
    SpringFadeIn* messageFade_ = nullptr;
};
