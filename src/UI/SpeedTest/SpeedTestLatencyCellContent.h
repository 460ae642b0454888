#pragma once

#include <QString>

// One latency of the latency panel: a caption over the value in whole
// milliseconds, or "—".
struct SpeedTestLatencyCellContent {
    QString title;
    QString value;

    bool operator==(const SpeedTestLatencyCellContent&) const = default;
};
