#pragma once

#include <cstdint>
#include <optional>

// What nl80211 reports of one channel survey (NL80211_CMD_NEW_SURVEY_RESULTS).
// Many drivers report no noise figure.
struct Nl80211SurveyRecord {
    std::uint32_t frequency = 0; // MHz
    std::optional<std::int64_t> noiseDbm;
    bool isInUse = false;

    bool operator==(const Nl80211SurveyRecord&) const = default;
};
