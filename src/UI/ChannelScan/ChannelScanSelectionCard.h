#pragma once

#include "UI/ChannelScan/ChannelScanSelectionCardContent.h"

#include <QWidget>

class OneLineLabel;
class WrappingLabel;

// A chosen channel on a rounded card outlined in its accent colour: the
// caption, then the channel and band on one line, its score and its network
// count; without a channel, "Unavailable".
class ChannelScanSelectionCard : public QWidget {
    Q_OBJECT
public:
    explicit ChannelScanSelectionCard(const ChannelScanSelectionCardContent& content,
                                      QWidget* parent = nullptr);

    const ChannelScanSelectionCardContent& content() const { return content_; }
    void setContent(const ChannelScanSelectionCardContent& content);

    OneLineLabel* channelLabel() const { return channel_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChannelScanSelectionCardContent content_;
    WrappingLabel* title_;
    OneLineLabel* channel_;
    OneLineLabel* score_;
    WrappingLabel* networkCount_;
    OneLineLabel* unavailable_;
};
