#include "UI/Popover/BadgeContent.h"

#include "UI/Ground/NamedColors.h"

namespace {

QColor healthTint(HealthState state) {
    switch (state) {
    case HealthState::good:
        return NamedColors::green;
    case HealthState::warning:
        return NamedColors::orange;
    case HealthState::poor:
        return NamedColors::red;
    case HealthState::disconnected:
        return NamedColors::gray;
    }
    return NamedColors::gray;
}

QColor qualityTint(SignalQuality quality) {
    switch (quality) {
    case SignalQuality::good:
        return NamedColors::green;
    case SignalQuality::warning:
        return NamedColors::orange;
    case SignalQuality::poor:
        return NamedColors::red;
    }
    return NamedColors::red;
}

} // namespace

BadgeContent BadgeContent::forHealthState(HealthState state) {
    return {capitalizedFirstLetter(state.rawValue()), healthTint(state)};
}

BadgeContent BadgeContent::forSignalQuality(SignalQuality quality) {
    return {capitalizedFirstLetter(quality.rawValue()), qualityTint(quality)};
}

QString BadgeContent::capitalizedFirstLetter(const QString& rawValue) {
    if (rawValue.isEmpty()) {
        return rawValue;
    }
    return rawValue.first(1).toUpper() + rawValue.sliced(1);
}
