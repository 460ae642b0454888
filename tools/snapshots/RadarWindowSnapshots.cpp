#include "RadarWindowSnapshots.h"

#include "Monitors/WiFiRadarNearbyNetworksController.h"
#include "UI/Radar/RadarNearbyListView.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarSidebarView.h"
#include "UI/Radar/WiFiRadarContentView.h"
#include "UI/Radar/WiFiRadarModel.h"

#include <chrono>
#include <cmath>

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr QSize windowSize{1080, 680};
// The sweep is drawn as it stands 0.9 s into a turn.
constexpr double sweepSeconds = 0.9;

// 2026-01-01 09:41:27 UTC, when the last sample was taken.
const Date sampleTime = Date{} + std::chrono::seconds(1'767'260'487);

struct Link {
    std::optional<QString> ssid;
    std::int64_t rssi;
    std::int64_t noise;
    std::optional<std::int64_t> linkRate;
    std::optional<std::int64_t> channel;
    std::optional<WiFiBand> band;
};

WiFiSnapshot reading(const Link& link, int age) {
    return WiFiSnapshot{sampleTime - std::chrono::milliseconds(250 * age),
                        link.ssid,
                        QStringLiteral("3c:84:6a:02:7e:10"),
                        link.rssi,
                        link.noise,
                        link.rssi - link.noise,
                        link.linkRate,
                        link.channel,
                        link.band,
                        std::nullopt,
                        false};
}

// Forty readings whose signal climbs by `drift` dBm (falls, when negative)
// to end at `link` itself, wobbling a little on the way.
std::vector<WiFiSnapshot> walk(const Link& link, double drift) {
    std::vector<WiFiSnapshot> history;
    constexpr int count = 40;
    for (int age = count - 1; age >= 0; --age) {
        Link step = link;
        // The last eight readings, which the walking hint compares, move
        // steadily.
        const double wobble = age >= 8 ? 2.0 * std::sin(age * 0.9) : 0.0;
        step.rssi = link.rssi - std::lround(drift * age / (count - 1) + wobble);
        if (link.linkRate && age > 0) {
            step.linkRate = *link.linkRate - 6 * (age % 5);
        }
        history.push_back(reading(step, age));
    }
    return history;
}

RadarNearbyNetwork nearby(const QString& ssid, std::int64_t signal, std::int64_t channel,
                          WiFiBand band) {
    return RadarNearbyNetwork{ssid + QLatin1Char('|') + QString::number(channel), ssid, signal,
                              channel, band};
}

WiFiScannedNetwork heard(std::optional<QString> ssid, std::int64_t rssi, std::int64_t channel,
                         WiFiBand band) {
    return WiFiScannedNetwork{std::move(ssid), std::nullopt, rssi, channel, band};
}

// `scrolledBy` points down the nearby list; the view is then shown (never on
// a screen) so that the list is laid out before it scrolls.
std::function<std::unique_ptr<QWidget>()> radar(WiFiRadarInputs inputs, int scrolledBy = 0) {
    return [inputs, scrolledBy] {
        auto view = std::make_unique<WiFiRadarContentView>();
        view->setContent(WiFiRadarModel::content(inputs));
        view->radarPanel()->disc()->freezeSweep(sweepSeconds);
        if (scrolledBy > 0) {
            view->setAttribute(Qt::WA_DontShowOnScreen);
            view->resize(windowSize);
            view->show();
            QScrollArea* list = view->sidebar()->nearbyList()->scrollArea();
            list->widget()->layout()->activate();
            list->verticalScrollBar()->setValue(scrolledBy);
        }
        return view;
    };
}

const Link home{QStringLiteral("Linden House"), -47, -95, 866, 36, WiFiBand::fiveGigahertz};

std::vector<RadarNearbyNetwork> someNeighbours() {
    return {nearby(QStringLiteral("linden house"), -52, 149, WiFiBand::fiveGigahertz),
            nearby(QStringLiteral("Cafe Amsel"), -63, 6, WiFiBand::twoPointFourGigahertz),
            nearby(QStringLiteral("Attic Router 7 QX"), -71, 44, WiFiBand::fiveGigahertz),
            nearby(QStringLiteral("Hidden-11"), -84, 11, WiFiBand::twoPointFourGigahertz)};
}

WiFiRadarInputs noLink() {
    return {};
}

WiFiRadarInputs greatSpot() {
    const std::vector<WiFiSnapshot> history = walk(home, 14);
    return {.radarSnapshot = history.back(),
            .radarHistory = history,
            .nearbyNetworks = someNeighbours()};
}

// A fair spot reached by walking away from a better one.
WiFiRadarInputs fairSpot() {
    const Link fair{QStringLiteral("Linden House"), -63, -90, 390, 36, WiFiBand::fiveGigahertz};
    const std::vector<WiFiSnapshot> history = walk(fair, -12);
    return {.radarSnapshot = history.back(),
            .radarHistory = history,
            .nearbyNetworks = someNeighbours()};
}

WiFiRadarInputs weakSpot() {
    const Link weak{QStringLiteral("Linden House"), -79, -88, 52, 11,
                    WiFiBand::twoPointFourGigahertz};
    const std::vector<WiFiSnapshot> history = walk(weak, 3);
    return {.radarSnapshot = history.back(),
            .radarHistory = history,
            .nearbyNetworks = someNeighbours()};
}

// Names as access points announce them: hidden, non-Latin, very long; two
// networks without BSSID share one id.
WiFiRadarInputs longNearbyList() {
    WiFiRadarInputs inputs = greatSpot();
    inputs.nearbyNetworks = WiFiRadarNearbyNetworksController::buildNearbyNetworks({
        heard(QStringLiteral("Café Zürich Gäste"), -54, 1, WiFiBand::twoPointFourGigahertz),
        heard(std::nullopt, -58, 36, WiFiBand::fiveGigahertz),
        heard(QStringLiteral("東京タワー 5G"), -61, 149, WiFiBand::fiveGigahertz),
        heard(QStringLiteral("Wohnung 3 · Здравствуйте"), -64, 6, WiFiBand::twoPointFourGigahertz),
        heard(QStringLiteral("Nachbar"), -66, 44, WiFiBand::fiveGigahertz),
        heard(QStringLiteral("Nachbarin"), -66, 44, WiFiBand::fiveGigahertz),
        heard(QStringLiteral("The Quite Unreasonably Long Network Name Of Flat 12"), -70, 11,
              WiFiBand::twoPointFourGigahertz),
        heard(QStringLiteral("<b>not bold</b>"), -73, 5, WiFiBand::sixGigahertz),
        heard(std::nullopt, -81, 11, WiFiBand::twoPointFourGigahertz),
        heard(QStringLiteral("🐝 Bienenstock"), -88, 1, WiFiBand::twoPointFourGigahertz),
    });
    return inputs;
}

WiFiRadarInputs scanError() {
    WiFiRadarInputs inputs = greatSpot();
    inputs.nearbyNetworks.clear();
    inputs.nearbyErrorMessage = WiFiRadarNearbyNetworksController::scanFailedMessage;
    return inputs;
}

} // namespace

std::vector<Snapshot> radarWindowSnapshots() {
    return {
        {QStringLiteral("radar-no-link"), windowSize, radar(noLink())},
        {QStringLiteral("radar-great-spot"), windowSize, radar(greatSpot())},
        {QStringLiteral("radar-fair-spot-go-back"), windowSize, radar(fairSpot())},
        {QStringLiteral("radar-weak-spot"), windowSize, radar(weakSpot())},
        {QStringLiteral("radar-long-nearby-list"), windowSize, radar(longNearbyList())},
        {QStringLiteral("radar-long-nearby-list-scrolled"), windowSize,
         radar(longNearbyList(), 208)},
        {QStringLiteral("radar-long-nearby-list-scrolled-further"), windowSize,
         radar(longNearbyList(), 312)},
        {QStringLiteral("radar-long-nearby-list-scrolled-to-end"), windowSize,
         radar(longNearbyList(), 1000)},
        {QStringLiteral("radar-scan-error"), windowSize, radar(scanError())},
    };
}
