#include "UI/Popover/SparklineDomains.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr double linkRateCeiling = 1200;
constexpr double linkRateMinimumSpan = 80;
constexpr double connectionHeadroom = 1.2;
constexpr double connectionMinimumUpper = 20;
constexpr ClosedRange emptyConnectionDomain{0, 1000};

std::vector<double> finiteValues(const std::vector<double>& samples) {
    std::vector<double> finite;
    std::copy_if(samples.begin(), samples.end(), std::back_inserter(finite),
                 [](double value) { return std::isfinite(value); });
    return finite;
}

} // namespace

namespace SparklineDomains {

ClosedRange adaptiveLinkRateDomain(const std::vector<double>& samples) {
    const std::vector<double> finite = finiteValues(samples);
    if (finite.empty()) {
        return {0, linkRateCeiling};
    }
    const auto [smallest, largest] = std::minmax_element(finite.begin(), finite.end());
    const double span = std::max(linkRateMinimumSpan, *largest - *smallest);
    const double middle = *smallest / 2 + *largest / 2;
    double lower = middle - span / 2;
    double upper = middle + span / 2;
    if (lower < 0) {
        upper -= lower;
        lower = 0;
    }
    if (upper > linkRateCeiling) {
        lower -= upper - linkRateCeiling;
        upper = linkRateCeiling;
    }
    return {std::max(0.0, lower), std::min(linkRateCeiling, upper)};
}

ClosedRange adaptiveConnectionDomain(const std::vector<double>& samples) {
    const std::vector<double> finite = finiteValues(samples);
    if (finite.empty()) {
        return emptyConnectionDomain;
    }
    const double largest = *std::max_element(finite.begin(), finite.end());
    return {0, std::max(connectionMinimumUpper, std::ceil(largest * connectionHeadroom))};
}

} // namespace SparklineDomains
