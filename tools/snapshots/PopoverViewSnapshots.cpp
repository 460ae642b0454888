#include "PopoverViewSnapshots.h"

#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/Spinner.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Popover/CaptivePortalOverlayCard.h"
#include "UI/Popover/ChannelInfoPopover.h"
#include "UI/Popover/ConnectionMonitorOverlayCard.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/PlainGroupBox.h"
#include "UI/Popover/PopoverSampleSeries.h"
#include "UI/Popover/PopoverStatusTexts.h"
#include "UI/Popover/SectionDivider.h"
#include "UI/Popover/SignalQualityBadge.h"
#include "UI/Popover/SparklineDomains.h"
#include "UI/Popover/ToolboxOverlayCard.h"
#include "UI/Popover/WiFiNetworkHeaderRow.h"

#include <chrono>
#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// The popover is 368 pt wide; overlay panels sit inside 14 pt of padding and
// the dashboard inside 16 pt.
constexpr int panelWidth = 368 - 2 * 14;
constexpr int dashboardWidth = 368 - 2 * 16;
// Overlay panels of 430 pt (connection, captive portal) and 650 pt (toolbox)
// less their top and bottom padding.
constexpr int monitorPanelHeight = 430 - 14 - 8;
constexpr int toolboxPanelHeight = 650 - 14 - 10;

// 2026-01-01 09:41:27 UTC, the time every sample was taken.
const Date sampleTime = Date{} + std::chrono::seconds(1'767'260'487);

template <typename View, typename... Arguments>
std::function<std::unique_ptr<QWidget>()> make(Arguments... arguments) {
    return [=] { return std::make_unique<View>(arguments...); };
}

// Several small views side by side, 12 pt apart, centred vertically.
std::unique_ptr<QWidget> row(std::vector<QWidget*> views) {
    auto container = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(container.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    for (QWidget* view : views) {
        layout->addWidget(view, 0, Qt::AlignVCenter);
    }
    layout->addStretch(1);
    return container;
}

// Several views stacked, 8 pt apart.
std::unique_ptr<QWidget> column(std::vector<QWidget*> views) {
    auto container = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(container.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (QWidget* view : views) {
        layout->addWidget(view);
    }
    layout->addStretch(1);
    return container;
}

std::unique_ptr<QWidget> symbolSheet() {
    const QStringList names{"wrench.and.screwdriver",
                            "gearshape",
                            "chevron.left",
                            "chevron.right",
                            "scope",
                            "dot.radiowaves.left.and.right",
                            "speedometer",
                            "point.3.connected.trianglepath.dotted",
                            "wifi.exclamationmark",
                            "wifi",
                            "square.and.arrow.up.on.square",
                            "square.and.arrow.up",
                            "square.on.square",
                            "doc.on.doc",
                            "info.circle",
                            "slider.horizontal.3",
                            "exclamationmark.triangle.fill",
                            "exclamationmark.circle.fill",
                            "checkmark.circle.fill",
                            "checkmark.seal.fill",
                            "xmark.circle.fill",
                            "pause.circle.fill",
                            "arrow.down.circle.fill",
                            "arrow.forward.circle.fill",
                            "arrow.uturn.backward.circle.fill",
                            "arrow.clockwise",
                            "arrow.down",
                            "arrow.up",
                            "no.such.symbol"};
    auto sheet = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(sheet.get());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int index = 0; index < names.size(); ++index) {
        const int gridRow = index / 2;
        const int gridColumn = (index % 2) * 2;
        grid->addWidget(new SymbolView(names[index], 15, PopoverTheme::primaryText()), gridRow,
                        gridColumn);
        grid->addWidget(new OneLineLabel(names[index], PopoverTheme::microFont(),
                                         PopoverTheme::secondaryText()),
                        gridRow, gridColumn + 1);
    }
    return sheet;
}

std::vector<double> linkRateHistory() {
    return {780, 802, 866, 866, 840, 720, 650, 702, 866, 866, 866, 811, 790, 866};
}

std::unique_ptr<QWidget> latencyGroup() {
    auto* rows =
        column({
                   new MetricTrendRow("Router Ping", "3.2 ms",
                                      {2.1, 3.4, 2.8, 5.9, 3.2, 2.7, 3.1, 3.2}, ClosedRange{0, 80},
                                      NamedColors::red),
                   new MetricTrendRow("Internet Ping", "18.4 ms", {17, 21, 19.5, 35, 22, 18, 18.4},
                                      ClosedRange{0, 150}, NamedColors::orange),
                   new MetricTrendRow("Jitter", "1.9 ms", {1.2, 2.5, 1.8, 4.1, 2.2, 1.9},
                                      ClosedRange{0, 30}, NamedColors::yellow),
                   new MetricRow("Packet Loss", "0%"),
               })
            .release();
    rows->layout()->setContentsMargins(0, 4, 0, 0);
    return std::make_unique<PlainGroupBox>(QStringLiteral("Latency"), rows);
}

std::unique_ptr<QWidget> wifiGroup() {
    auto* rows =
        column({
                   new MetricTrendRow("Link Rate", "866 Mbps", linkRateHistory(),
                                      SparklineDomains::adaptiveLinkRateDomain(linkRateHistory()),
                                      NamedColors::green),
                   new MetricTrendRow("SNR", "37 dB", {35, 36, 38, 37, 33, 37}, ClosedRange{0, 50},
                                      NamedColors::yellow),
                   new MetricTrendRow("Signal", "-55 dBm", {-57, -56, -54, -55, -60, -55},
                                      ClosedRange{-95, -30}, NamedColors::orange),
                   new MetricTrendRow("Noise", "\u2014", {}, ClosedRange{-110, -70},
                                      NamedColors::green),
               })
            .release();
    rows->layout()->setContentsMargins(0, 4, 0, 0);
    return std::make_unique<PlainGroupBox>(std::nullopt, rows);
}

WiFiSnapshot wifiSnapshot(std::optional<QString> ssid, std::optional<std::int64_t> channel,
                          std::optional<WiFiBand> band) {
    return {.timestamp = sampleTime,
            .ssid = std::move(ssid),
            .bssid = QStringLiteral("a4:2b:b0:11:22:33"),
            .rssiDbm = -55,
            .noiseFloorDbm = -92,
            .snrDb = 37,
            .linkRateMbps = 866,
            .channelNumber = channel,
            .band = band,
            .ipAddress = QStringLiteral("192.168.1.20"),
            .isVPNActive = false};
}

std::function<std::unique_ptr<QWidget>()> header(std::optional<WiFiSnapshot> snapshot,
                                                 bool isConnected) {
    return [=] { return std::make_unique<WiFiNetworkHeaderRow>(snapshot, isConnected); };
}

std::unique_ptr<QWidget> channelPopover() {
    auto popover = std::make_unique<ChannelInfoPopover>();
    popover->setWindowFlags(Qt::Widget);
    popover->setText(QStringLiteral("Channel 149 (5 GHz)"));
    return popover;
}

std::unique_ptr<QWidget> toolbox() {
    return std::make_unique<ToolboxOverlayCard>(ToolboxActions{});
}

// Eleven earlier readings around `counts`, oldest first.
std::vector<ConnectionPressureResult> connectionHistory(const TCPConnectionStateCounts& counts) {
    const double factors[] = {0.7, 0.8, 0.95, 1.1, 1.3, 1.2, 0.9, 0.85, 1.0, 1.05, 0.95};
    std::vector<ConnectionPressureResult> history;
    for (const double factor : factors) {
        const auto scaled = [factor](std::int64_t count) {
            return static_cast<std::int64_t>(std::lround(static_cast<double>(count) * factor));
        };
        history.push_back({.timestamp = sampleTime,
                           .counts = {scaled(counts.established), scaled(counts.timeWait),
                                      scaled(counts.closeWait)},
                           .quality = SignalQuality::good});
    }
    return history;
}

ConnectionMonitorCardContent connectionContent(std::optional<ConnectionPressureResult> result,
                                               std::vector<ConnectionPressureResult> history,
                                               std::optional<QString> error) {
    using namespace PopoverSampleSeries;
    if (result) {
        history.push_back(*result);
    }
    std::vector<double> scale = connectionTotalSamples(history);
    const std::vector<double> orphaned = connectionOrphanedSamples(history);
    scale.insert(scale.end(), orphaned.begin(), orphaned.end());
    return {.latestResult = result,
            .statusText = PopoverStatusTexts::connectionMonitorStatusText(error, result),
            .establishedSamples = connectionEstablishedSamples(history),
            .timeWaitSamples = connectionTimeWaitSamples(history),
            .closeWaitSamples = connectionCloseWaitSamples(history),
            .totalSamples = connectionTotalSamples(history),
            .orphanedSamples = orphaned,
            .yDomain = SparklineDomains::adaptiveConnectionDomain(scale)};
}

std::function<std::unique_ptr<QWidget>()>
connectionCard(std::optional<TCPConnectionStateCounts> counts, SignalQuality quality,
               bool withHistory, std::optional<QString> error = std::nullopt) {
    return [=] {
        const std::optional<ConnectionPressureResult> result =
            counts ? std::optional(ConnectionPressureResult{
                         .timestamp = sampleTime, .counts = *counts, .quality = quality})
                   : std::nullopt;
        std::vector<ConnectionPressureResult> history;
        if (withHistory && counts) {
            history = connectionHistory(*counts);
        }
        return std::make_unique<ConnectionMonitorOverlayCard>(
            connectionContent(result, std::move(history), error), [] {});
    };
}

std::function<std::unique_ptr<QWidget>()> captiveCard(std::optional<CaptivePortalStatus> status,
                                                      std::optional<QString> error = std::nullopt) {
    return [=] {
        return std::make_unique<CaptivePortalOverlayCard>(
            CaptivePortalCardContent{
                status, PopoverStatusTexts::captivePortalStatusText(error, status), sampleTime},
            [] {});
    };
}

CaptivePortalStatus portalStatus(bool isCaptive, std::optional<QUrl> portal,
                                 CaptivePortalDetectionReason reason) {
    return {.timestamp = sampleTime,
            .isCaptivePortal = isCaptive,
            .portalURL = std::move(portal),
            .probeURL = QUrl(QStringLiteral("http://captive.example.net/hotspot-detect.html")),
            .reason = reason};
}

const QString longSSID =
    QStringLiteral("Airport Lounge Free Wi-Fi — Terminal 2 Departures Gate 40-58 Guest Access");
const QString longPortalURL = QStringLiteral(
    "https://login.hotspot-provider.example.com/portal/v2/session/start?client_mac=a4:2b:b0:11:"
    "22:33&redirect=http%3A%2F%2Fcaptive.example.net%2Fhotspot-detect.html&venue=terminal-2");

} // namespace

std::vector<Snapshot> popoverViewSnapshots() {
    using Reason = CaptivePortalDetectionReason;
    const QString longMessage = QStringLiteral(
        "Captive portal detected. Login may be required at https://login.hotspot-provider."
        "example.com/portal/v2/session/start?client_mac=a4:2b:b0:11:22:33&venue=terminal-2.");
    return {
        // Shared look.
        {"ground-symbols", {340, 0}, symbolSheet},
        {"ground-switch-toggle",
         {120, 24},
         [] {
             auto* on = new SwitchToggle("Enabled");
             on->setChecked(true);
             return row({on, new SwitchToggle("Disabled")});
         }},
        {"ground-spinner",
         {60, 24},
         [] {
             return row({new Spinner(16, PopoverTheme::secondaryText()),
                         new Spinner(12, PopoverTheme::secondaryText())});
         }},

        // Rows and badges.
        {"group-box-titled-latency", {dashboardWidth, 0}, latencyGroup},
        {"group-box-untitled-wifi", {dashboardWidth, 0}, wifiGroup},
        {"metric-row",
         {dashboardWidth, 16},
         make<MetricRow>(QString("Domain"), QString("apple.com"))},
        {"metric-row-missing-value",
         {dashboardWidth, 16},
         make<MetricRow>(QString("Domain"), QString("\u2014"))},
        {"metric-row-empty-value",
         {dashboardWidth, 16},
         make<MetricRow>(QString("Domain"), QString())},
        {"metric-trend-row",
         {MetricTrendRow::rowWidth, 20},
         [] {
             return std::make_unique<MetricTrendRow>(
                 "Link Rate", "866 Mbps", linkRateHistory(),
                 SparklineDomains::adaptiveLinkRateDomain(linkRateHistory()), NamedColors::green);
         }},
        {"metric-trend-row-missing-value",
         {MetricTrendRow::rowWidth, 20},
         [] {
             return std::make_unique<MetricTrendRow>("Lookup", "\u2014", std::vector<double>{},
                                                     ClosedRange{0, 300}, NamedColors::green);
         }},
        {"metric-trend-row-shrinking-value",
         {MetricTrendRow::rowWidth, 20},
         [] {
             return std::make_unique<MetricTrendRow>("Lookup", "1,204.5 ms",
                                                     std::vector<double>{120, 480, 1204.5},
                                                     ClosedRange{0, 300}, NamedColors::green);
         }},
        {"metric-trend-row-cut-value",
         {MetricTrendRow::rowWidth, 20},
         [] {
             return std::make_unique<MetricTrendRow>("Internet Ping", "12,345,678.9 ms",
                                                     std::vector<double>{42}, ClosedRange{0, 150},
                                                     NamedColors::orange);
         }},
        {"header-icon-buttons",
         {100, 22},
         [] {
             return row({new HeaderIconButton("wrench.and.screwdriver", "Open Toolbox", {}),
                         new HeaderIconButton("gearshape", "Open Settings", {}),
                         new HeaderIconButton("no.such.symbol", "Unknown symbol", {})});
         }},
        {"health-state-badges",
         {dashboardWidth, 24},
         [] {
             return row({new HealthStateBadge(HealthState::good),
                         new HealthStateBadge(HealthState::warning),
                         new HealthStateBadge(HealthState::poor),
                         new HealthStateBadge(HealthState::disconnected)});
         }},
        {"signal-quality-badges",
         {dashboardWidth, 24},
         [] {
             return row({new SignalQualityBadge(SignalQuality::good),
                         new SignalQualityBadge(SignalQuality::warning),
                         new SignalQualityBadge(SignalQuality::poor)});
         }},
        {"section-divider", {dashboardWidth, 1}, make<SectionDivider>()},
        {"inline-message-row",
         {dashboardWidth, 0},
         make<InlineMessageRow>(QString("Monitoring is paused."), NamedColors::orange)},
        {"inline-message-row-long",
         {dashboardWidth, 0},
         make<InlineMessageRow>(longMessage, NamedColors::red)},

        // Sparklines, 164 by 20 as in a trend row.
        {"sparkline-fitted",
         {164, 20},
         make<InlineSparklineView>(std::vector<double>{3, 5, 4, 8, 6, 9, 7, 12, 10, 11},
                                   std::optional<ClosedRange>{}, NamedColors::green)},
        {"sparkline-no-samples",
         {164, 20},
         make<InlineSparklineView>(std::vector<double>{}, std::optional(ClosedRange{0, 100}),
                                   NamedColors::green)},
        {"sparkline-one-sample",
         {164, 20},
         make<InlineSparklineView>(std::vector<double>{42}, std::optional(ClosedRange{0, 100}),
                                   NamedColors::orange)},
        {"sparkline-clamped",
         {164, 20},
         make<InlineSparklineView>(std::vector<double>{-5, 20, 150, 60, 40},
                                   std::optional(ClosedRange{0, 100}), NamedColors::red)},
        {"sparkline-flat-domain",
         {164, 20},
         make<InlineSparklineView>(std::vector<double>{10, 90, 30},
                                   std::optional(ClosedRange{50, 50}), NamedColors::yellow)},

        // Wi-Fi network header row.
        {"wifi-header-connected",
         {dashboardWidth, 22},
         header(wifiSnapshot("Office", 36, WiFiBand::fiveGigahertz), true)},
        {"wifi-header-not-connected", {dashboardWidth, 22}, header(std::nullopt, false)},
        {"wifi-header-ssid-hidden",
         {dashboardWidth, 22},
         header(wifiSnapshot(std::nullopt, 6, WiFiBand::twoPointFourGigahertz), true)},
        {"wifi-header-long-ssid",
         {dashboardWidth, 22},
         header(wifiSnapshot(longSSID, 37, WiFiBand::sixGigahertz), true)},
        {"wifi-header-unknown-band",
         {dashboardWidth, 22},
         header(wifiSnapshot("  Café Gäste  ", std::nullopt, WiFiBand::unknown), true)},
        {"wifi-header-no-band",
         {dashboardWidth, 22},
         header(wifiSnapshot("Office", 11, std::nullopt), true)},
        {"wifi-header-channel-popover", {0, 0}, channelPopover},

        // Overlay cards at the size of their panel.
        {"toolbox-card", {panelWidth, toolboxPanelHeight}, toolbox},
        {"connection-card-collecting",
         {panelWidth, monitorPanelHeight},
         connectionCard(std::nullopt, SignalQuality::good, false)},
        {"connection-card-good",
         {panelWidth, monitorPanelHeight},
         connectionCard(TCPConnectionStateCounts{12, 3, 1}, SignalQuality::good, true)},
        {"connection-card-warning",
         {panelWidth, monitorPanelHeight},
         connectionCard(TCPConnectionStateCounts{410, 230, 12}, SignalQuality::warning, true)},
        {"connection-card-poor-1234",
         {panelWidth, monitorPanelHeight},
         connectionCard(TCPConnectionStateCounts{1234, 380, 45}, SignalQuality::poor, true)},
        {"connection-card-read-failed",
         {panelWidth, monitorPanelHeight},
         connectionCard(TCPConnectionStateCounts{126, 33, 3}, SignalQuality::good, true,
                        QStringLiteral("Connection monitor failed to read TCP states."))},
        {"captive-card-awaiting", {panelWidth, monitorPanelHeight}, captiveCard(std::nullopt)},
        {"captive-card-open",
         {panelWidth, monitorPanelHeight},
         captiveCard(portalStatus(false, std::nullopt, Reason::none))},
        {"captive-card-redirect",
         {panelWidth, monitorPanelHeight},
         captiveCard(
             portalStatus(true, QUrl("http://portal.example.net/login"), Reason::redirect))},
        {"captive-card-content-injection",
         {panelWidth, monitorPanelHeight},
         captiveCard(portalStatus(true, std::nullopt, Reason::contentInjection))},
        {"captive-card-long-portal-url",
         {panelWidth, monitorPanelHeight},
         captiveCard(portalStatus(true, QUrl(longPortalURL), Reason::redirect))},
        {"captive-card-check-failed",
         {panelWidth, monitorPanelHeight},
         captiveCard(portalStatus(false, std::nullopt, Reason::none),
                     QStringLiteral("Captive portal check failed."))},
    };
}
