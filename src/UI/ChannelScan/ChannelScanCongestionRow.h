#pragma once

#include "UI/ChannelScan/ChannelScanCongestionRowContent.h"

#include <QWidget>

class ChannelScanCongestionBar;
class ChannelScanMarkerTag;
class OneLineLabel;

// One channel of the "Band Congestion" panel: its number, its tags and its
// score on the first line; its network count and congestion bar below.
class ChannelScanCongestionRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int countColumnWidth = 90;

    explicit ChannelScanCongestionRow(const ChannelScanCongestionRowContent& content,
                                      QWidget* parent = nullptr);

    const ChannelScanCongestionRowContent& content() const { return content_; }
    // The tags shown, in order: "Current" before "Recommended".
    QList<ChannelScanMarkerTag*> tags() const;
    OneLineLabel* scoreLabel() const { return score_; }
    ChannelScanCongestionBar* bar() const { return bar_; }

private:
    QWidget* makeHeaderLine();
    QWidget* makeCongestionLine();

    ChannelScanCongestionRowContent content_;
    OneLineLabel* score_ = nullptr;
    ChannelScanCongestionBar* bar_ = nullptr;
};
