#pragma once

#include "Core/DomainModels.h"

#include <QColor>
#include <QString>

// What a capsule badge shows: its text, drawn in the tint over the tint at
// 20 % opacity.
struct BadgeContent {
    QString text;
    QColor tint;

    bool operator==(const BadgeContent&) const = default;

    // Good in green, Warning in orange, Poor in red, Disconnected in gray.
    static BadgeContent forHealthState(HealthState state);
    // Good in green, Warning in orange, Poor in red.
    static BadgeContent forSignalQuality(SignalQuality quality);

    // A raw value with its first letter capitalised: "warning" reads Warning.
    static QString capitalizedFirstLetter(const QString& rawValue);
};
