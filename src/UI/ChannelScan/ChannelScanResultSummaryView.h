#pragma once

#include "UI/ChannelScan/ChannelScanWindowContent.h"

#include <QWidget>

class ChannelScanMetricPill;
class ChannelScanSelectionCard;
class WrappingLabel;

// The outcome of the latest scan: the networks and passes seen, the current
// and the recommended channel side by side, and the sentence comparing them.
class ChannelScanResultSummaryView : public QWidget {
    Q_OBJECT
public:
    explicit ChannelScanResultSummaryView(QWidget* parent = nullptr);

    void setContent(const ChannelScanResultContent& content);

    ChannelScanMetricPill* networksSeenPill() const { return networksSeen_; }
    ChannelScanMetricPill* passesPill() const { return passes_; }
    ChannelScanSelectionCard* currentCard() const { return currentCard_; }
    ChannelScanSelectionCard* recommendedCard() const { return recommendedCard_; }
    WrappingLabel* comparisonLabel() const { return comparison_; }

private:
    ChannelScanMetricPill* networksSeen_;
    ChannelScanMetricPill* passes_;
    ChannelScanSelectionCard* currentCard_;
    ChannelScanSelectionCard* recommendedCard_;
    WrappingLabel* comparison_;
};
