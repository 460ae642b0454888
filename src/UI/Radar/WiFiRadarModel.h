#pragma once

#include "UI/Radar/WiFiRadarContent.h"
#include "UI/Radar/WiFiRadarInputs.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QString>

// The radar window's derived values, as pure functions of its inputs. Every
// quality figure comes from WiFiRadarScoring.
namespace WiFiRadarModel {

WiFiRadarContent content(const WiFiRadarInputs& inputs);

// The radar monitor's latest reading, else the application monitor's.
std::optional<WiFiSnapshot> snapshot(const WiFiRadarInputs& inputs);
// The radar monitor's history while it holds a reading, else the
// application monitor's; the four series all come from the one chosen.
const std::vector<WiFiSnapshot>& sourceHistory(const WiFiRadarInputs& inputs);

std::vector<double> qualitySamples(const std::vector<WiFiSnapshot>& history);
std::vector<double> snrSamples(const std::vector<WiFiSnapshot>& history);
std::vector<double> rssiSamples(const std::vector<WiFiSnapshot>& history);
// Readings without a link rate are left out.
std::vector<double> linkRateSamples(const std::vector<WiFiSnapshot>& history);

// 75 to 100 radar green, 45 to 74 yellow, lower orange.
QColor qualityTint(int score);
QString qualityMessage(int score);
// A check mark from 66, a warning below.
QString statusSymbolName(int score);

// The SSID trimmed of white space; none when nothing is left.
std::optional<QString> currentNetworkSSID(const std::optional<WiFiSnapshot>& snapshot);
// The rows whose trimmed name is not the current network's, ignoring case.
std::vector<RadarNearbyNetwork>
nearbyNetworksExcludingCurrentSSID(const std::vector<RadarNearbyNetwork>& networks,
                                   const std::optional<QString>& currentSSID);
// "Ch 36 . 5 GHz", or "Channel unavailable".
QString channelAndBand(const std::optional<WiFiSnapshot>& snapshot);

// Quality, SNR, RSSI and Speed, each with its value, unit and range.
std::array<RadarMetricCardContent, 4> metricCards(const std::optional<WiFiSnapshot>& snapshot,
                                                  const std::vector<WiFiSnapshot>& history);
RadarNearbyRowContent nearbyRow(const RadarNearbyNetwork& network);

} // namespace WiFiRadarModel
