#pragma once

#include "Core/DirectionHint.h"
#include "Core/DomainModels.h"

#include <optional>
#include <vector>

// The radar's spot quality, 0 to 100, of one reading of the link, and the
// walking hint drawn from the recent qualities. Pure.
namespace WiFiRadarScoring {

// Signal 40 %, SNR 35 %, noise floor 15 % (lower is better) and link rate
// 10 %, rounded half away from zero; 0 without a reading.
int qualityScore(const std::optional<WiFiSnapshot>& snapshot);

// Compares the newer half of the last eight scores (oldest first) with the
// older half: `goBack` when it is lower on average.
DirectionHint directionHint(const std::vector<double>& qualitySamples);

} // namespace WiFiRadarScoring
