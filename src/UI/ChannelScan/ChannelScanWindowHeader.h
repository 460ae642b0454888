#pragma once

#include <QWidget>

class ChannelScanActionButton;

// The window's title with its symbol, the subtitle below, and the scan button
// at the trailing edge when it is shown there.
class ChannelScanWindowHeader : public QWidget {
    Q_OBJECT
public:
    explicit ChannelScanWindowHeader(QWidget* parent = nullptr);

    ChannelScanActionButton* actionButton() const { return actionButton_; }

private:
    QWidget* makeTitleBlock();

    ChannelScanActionButton* actionButton_;
};
