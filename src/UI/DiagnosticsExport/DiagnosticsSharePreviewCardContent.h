#pragma once

#include "Core/DomainModels.h"

#include <vector>

#include <QString>

// Every text of the share preview card, derived from one report.
struct DiagnosticsSharePreviewCardContent {
    struct Metric {
        QString title;
        QString value;
        bool operator==(const Metric&) const = default;
    };

    // The state the badge is coloured for; any text that is not a state's
    // raw value counts as disconnected.
    HealthState badgeState = HealthState::disconnected;
    QString badgeText;
    std::vector<Metric> metrics;
    QString footer;

    bool operator==(const DiagnosticsSharePreviewCardContent&) const = default;
};
