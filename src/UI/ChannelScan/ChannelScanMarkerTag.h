#pragma once

#include "UI/Ground/Capsule.h"

class OneLineLabel;

// The small word a congestion row carries for the current or the recommended
// channel: the word in its accent colour on a capsule of the accent at 0.22.
class ChannelScanMarkerTag : public Capsule {
    Q_OBJECT
public:
    ChannelScanMarkerTag(const QString& text, const QColor& accentColor, QWidget* parent = nullptr);

    QString text() const;
    QColor accentColor() const;

private:
    OneLineLabel* label_;
};
