#include "UI/Radar/WiFiRadarModel.h"

#include "Core/WiFiRadarScoring.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>

namespace {

template <class Value>
std::vector<double> samplesOf(const std::vector<WiFiSnapshot>& history, Value value) {
    std::vector<double> samples;
    samples.reserve(history.size());
    for (const WiFiSnapshot& snapshot : history) {
        samples.push_back(value(snapshot));
    }
    return samples;
}

QString channelText(std::int64_t channelNumber, const QString& band) {
    return QStringLiteral("Ch ") + QString::number(channelNumber) + QStringLiteral(" . ") + band;
}

// 0 to 200 Mbps, stretched to the fastest reading above it.
ClosedRange speedDomain(const std::vector<double>& linkRates) {
    const auto fastest = std::max_element(linkRates.begin(), linkRates.end());
    return {0, std::max(200.0, fastest == linkRates.end() ? 0.0 : *fastest)};
}

} // namespace

namespace WiFiRadarModel {

std::optional<WiFiSnapshot> snapshot(const WiFiRadarInputs& inputs) {
    return inputs.radarSnapshot ? inputs.radarSnapshot : inputs.wifiSnapshot;
}

const std::vector<WiFiSnapshot>& sourceHistory(const WiFiRadarInputs& inputs) {
    return inputs.radarHistory.empty() ? inputs.wifiHistory : inputs.radarHistory;
}

std::vector<double> qualitySamples(const std::vector<WiFiSnapshot>& history) {
    return samplesOf(history, [](const WiFiSnapshot& snapshot) {
        return static_cast<double>(WiFiRadarScoring::qualityScore(snapshot));
    });
}

std::vector<double> snrSamples(const std::vector<WiFiSnapshot>& history) {
    return samplesOf(history, [](const WiFiSnapshot& snapshot) { return double(snapshot.snrDb); });
}

std::vector<double> rssiSamples(const std::vector<WiFiSnapshot>& history) {
    return samplesOf(history,
                     [](const WiFiSnapshot& snapshot) { return double(snapshot.rssiDbm); });
}

std::vector<double> linkRateSamples(const std::vector<WiFiSnapshot>& history) {
    std::vector<double> samples;
    for (const WiFiSnapshot& snapshot : history) {
        if (snapshot.linkRateMbps) {
            samples.push_back(static_cast<double>(*snapshot.linkRateMbps));
        }
    }
    return samples;
}

QColor qualityTint(int score) {
    if (score >= 75 && score <= 100) {
        return WiFiRadarTheme::radarGreen();
    }
    if (score >= 45 && score <= 74) {
        return NamedColors::yellow;
    }
    return NamedColors::orange;
}

QString qualityMessage(int score) {
    if (score >= 86) {
        return QStringLiteral("Great spot: strong signal here.");
    }
    if (score >= 66) {
        return QStringLiteral("Good spot: signal is stable.");
    }
    if (score >= 46) {
        return QStringLiteral("Keep moving: signal can improve.");
    }
    return QStringLiteral("Weak spot: move closer to the router.");
}

QString statusSymbolName(int score) {
    return score >= 66 ? QStringLiteral("checkmark.circle.fill")
                       : QStringLiteral("exclamationmark.triangle.fill");
}

std::optional<QString> currentNetworkSSID(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->ssid) {
        return std::nullopt;
    }
    QString trimmed = snapshot->ssid->trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    return trimmed;
}

std::vector<RadarNearbyNetwork>
nearbyNetworksExcludingCurrentSSID(const std::vector<RadarNearbyNetwork>& networks,
                                   const std::optional<QString>& currentSSID) {
    if (!currentSSID) {
        return networks;
    }
    std::vector<RadarNearbyNetwork> others;
    std::copy_if(networks.begin(), networks.end(), std::back_inserter(others),
                 [&](const RadarNearbyNetwork& network) {
                     return QString::compare(network.ssid.trimmed(), *currentSSID,
                                             Qt::CaseInsensitive) != 0;
                 });
    return others;
}

QString channelAndBand(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->channelNumber) {
        return QStringLiteral("Channel unavailable");
    }
    return channelText(*snapshot->channelNumber,
                       snapshot->band ? snapshot->band->rawValue() : QStringLiteral("Unknown"));
}

std::array<RadarMetricCardContent, 4> metricCards(const std::optional<WiFiSnapshot>& snapshot,
                                                  const std::vector<WiFiSnapshot>& history) {
    const auto number = [](std::int64_t value) { return QString::number(value); };
    const std::int64_t linkRate = snapshot ? snapshot->linkRateMbps.value_or(0) : 0;
    std::vector<double> linkRates = linkRateSamples(history);
    const ClosedRange speedRange = speedDomain(linkRates);
    return {{
        {QStringLiteral("Quality"), number(WiFiRadarScoring::qualityScore(snapshot)), std::nullopt,
         qualitySamples(history), ClosedRange{0, 100}},
        {QStringLiteral("SNR"), number(snapshot ? snapshot->snrDb : 0), QStringLiteral("dB"),
         snrSamples(history), ClosedRange{0, 50}},
        {QStringLiteral("RSSI"), number(snapshot ? snapshot->rssiDbm : 0), QStringLiteral("dBm"),
         rssiSamples(history), ClosedRange{-95, -30}},
        {QStringLiteral("Speed"), number(linkRate), QStringLiteral("Mbps"), std::move(linkRates),
         speedRange},
    }};
}

RadarNearbyRowContent nearbyRow(const RadarNearbyNetwork& network) {
    return {network.ssid, QString::number(network.signalDbm) + QStringLiteral(" dBm"),
            channelText(network.channelNumber, network.band.rawValue())};
}

WiFiRadarContent content(const WiFiRadarInputs& inputs) {
    using WiFiRadarScoring::DirectionHint;
    const std::optional<WiFiSnapshot> current = snapshot(inputs);
    const std::vector<WiFiSnapshot>& history = sourceHistory(inputs);
    const int score = WiFiRadarScoring::qualityScore(current);
    const DirectionHint hint = WiFiRadarScoring::directionHint(qualitySamples(history));
    const std::optional<QString> currentSSID = currentNetworkSSID(current);

    WiFiRadarContent content;
    content.score = score;
    content.qualityTint = qualityTint(score);
    content.statusSymbolName = statusSymbolName(score);
    content.qualityMessage = qualityMessage(score);
    content.hint = hint;
    content.hintSymbolName = hint == DirectionHint::goBack
                                 ? QStringLiteral("arrow.uturn.backward.circle.fill")
                                 : QStringLiteral("arrow.forward.circle.fill");
    content.hintText =
        hint == DirectionHint::goBack ? QStringLiteral("go back") : QStringLiteral("keep going");
    content.networkName =
        current && current->ssid ? *current->ssid : QStringLiteral("No Wi-Fi Network");
    content.showsCurrentBadge = currentSSID.has_value();
    content.channelAndBand = channelAndBand(current);
    content.metricCards = metricCards(current, history);
    for (const RadarNearbyNetwork& network :
         nearbyNetworksExcludingCurrentSSID(inputs.nearbyNetworks, currentSSID)) {
        content.nearbyRows.push_back(nearbyRow(network));
    }
    content.nearbyPlaceholder =
        inputs.nearbyErrorMessage.value_or(QStringLiteral("Scanning nearby networks..."));
    return content;
}

} // namespace WiFiRadarModel
