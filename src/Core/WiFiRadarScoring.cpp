#include "Core/WiFiRadarScoring.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double signalWeight = 0.40;
constexpr double snrWeight = 0.35;
constexpr double noiseWeight = 0.15;
constexpr double linkWeight = 0.10;
constexpr std::size_t hintWindowLength = 8;

// 0 for nothing or less, at most 1.
double clip(double share) {
    return share <= 0 ? 0 : std::min(1.0, share);
}

double signalPart(const WiFiSnapshot& snapshot) {
    return signalWeight * clip((static_cast<double>(snapshot.rssiDbm) + 90) / 45);
}

double snrPart(const WiFiSnapshot& snapshot) {
    return snrWeight * clip(static_cast<double>(snapshot.snrDb) / 50);
}

// A quieter floor scores higher: full marks at -100 dBm, none from -70 dBm.
double noisePart(const WiFiSnapshot& snapshot) {
    const double loudness = (static_cast<double>(snapshot.noiseFloorDbm) + 100) / 30;
    return loudness <= 0 ? noiseWeight : noiseWeight * (1 - std::min(1.0, loudness));
}

double linkPart(const WiFiSnapshot& snapshot) {
    if (!snapshot.linkRateMbps) {
        return 0;
    }
    return linkWeight * clip(static_cast<double>(*snapshot.linkRateMbps) / 1200);
}

double average(std::vector<double>::const_iterator first,
               std::vector<double>::const_iterator last) {
    return std::accumulate(first, last, 0.0) / static_cast<double>(std::distance(first, last));
}

} // namespace

namespace WiFiRadarScoring {

int qualityScore(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot) {
        return 0;
    }
    const double sum =
        signalPart(*snapshot) + snrPart(*snapshot) + noisePart(*snapshot) + linkPart(*snapshot);
    // std::round takes halves away from zero.
    const double rounded = std::round(sum * 100);
    return rounded <= 0 ? 0 : static_cast<int>(std::min(100.0, rounded));
}

DirectionHint directionHint(const std::vector<double>& qualitySamples) {
    const std::size_t length = std::min(hintWindowLength, qualitySamples.size());
    if (length < 2) {
        return DirectionHint::keepGoing;
    }
    const auto first = qualitySamples.end() - static_cast<std::ptrdiff_t>(length);
    const auto middle = first + static_cast<std::ptrdiff_t>(length / 2);
    const double older = average(first, middle);
    const double newer = average(middle, qualitySamples.end());
    return newer < older ? DirectionHint::goBack : DirectionHint::keepGoing;
}

} // namespace WiFiRadarScoring
