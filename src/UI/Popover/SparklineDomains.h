#pragma once

#include "UI/Popover/ClosedRange.h"

#include <vector>

// The vertical ranges the popover's sparklines are drawn against, adapted to
// the history they show.
namespace SparklineDomains {

// A window at least 80 Mbps tall, centred on the link rates where it can be,
// never leaving 0 to 1200 Mbps; 0 to 1200 without samples.
ClosedRange adaptiveLinkRateDomain(const std::vector<double>& samples);

// 0 up to the largest count plus 20 %, rounded up to a whole number and never
// below 20; 0 to 1000 without samples.
ClosedRange adaptiveConnectionDomain(const std::vector<double>& samples);

} // namespace SparklineDomains
