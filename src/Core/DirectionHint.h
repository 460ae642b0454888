#pragma once

namespace WiFiRadarScoring {

// Which way a walking user should go, from the recent spot qualities:
// `keepGoing` while they hold or improve (or are too few to tell), `goBack`
// once they drop.
enum class DirectionHint { keepGoing, goBack };

} // namespace WiFiRadarScoring
