#pragma once

#include "UI/ChannelScan/ChannelScanCongestionRowContent.h"

#include <vector>

#include <QWidget>

class ChannelScanCongestionRow;
class OneLineLabel;
class QVBoxLayout;

// The "Band Congestion" panel: a caption, a note on how to read the score and
// one row per listed channel, or a line saying there is none.
class ChannelScanChannelsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChannelScanChannelsPanel(QWidget* parent = nullptr);

    // Rebuilds the rows only when they changed.
    void setRows(const std::vector<ChannelScanCongestionRowContent>& rows);
    const std::vector<ChannelScanCongestionRowContent>& rowContents() const { return rowContents_; }
    QList<ChannelScanCongestionRow*> rows() const;
    bool showsNoChannelsText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ChannelScanCongestionRowContent> rowContents_;
    OneLineLabel* noChannels_;
    QWidget* rowList_;
    QVBoxLayout* rowLayout_;
};
