#pragma once

#include <optional>

#include <QColor>
#include <QString>

// What a selection card shows: its caption, its outline's colour and, for a
// selected channel, three lines; without one it reads "Unavailable".
struct ChannelScanSelectionCardContent {
    struct Lines {
        QString channel;      // "Ch 36 (5 GHz)"
        QString score;        // "Score 1.25"
        QString networkCount; // "3 nearby networks"

        bool operator==(const Lines&) const = default;
    };

    QString title;
    QColor accentColor;
    std::optional<Lines> lines;

    bool operator==(const ChannelScanSelectionCardContent&) const = default;
};
