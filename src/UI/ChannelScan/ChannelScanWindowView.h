#pragma once

#include "Monitors/ChannelScanMonitor.h"
#include "UI/ChannelScan/ChannelScanWindowContent.h"

#include <functional>
#include <memory>

#include <QWidget>

class ChannelScanActionButton;
class ChannelScanChannelsPanel;
class ChannelScanResultSummaryView;
class ChannelScanWindowHeader;
class ProgressCapsule;
class QScrollArea;

// The content of the Channel Scan window. Before the first result it shows an
// invitation to scan in its centre; after it, the outcome of the latest scan
// below the header, scrolling (without visible scroll bars) when taller than
// the window. While a scan runs, a progress bar shows its passes and the
// button cancels it.
//
// Built over the shared monitor it observes it; built without one it shows
// the content it is given.
class ChannelScanWindowView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize idealSize{960, 680};
    static constexpr QSize minimumContentSize{860, 580};

    ChannelScanWindowView(std::shared_ptr<ChannelScanMonitor> channelScanMonitor,
                          int headerContentSpacing, QWidget* parent = nullptr);
    explicit ChannelScanWindowView(int headerContentSpacing, QWidget* parent = nullptr);
    ~ChannelScanWindowView() override;

    const ChannelScanWindowContent& content() const { return content_; }
    void setContent(const ChannelScanWindowContent& content);
    // What a press of either scan button does.
    void setOnAction(std::function<void()> onAction) { onAction_ = std::move(onAction); }

    ChannelScanWindowHeader* header() const { return header_; }
    ChannelScanActionButton* headerActionButton() const;
    ChannelScanActionButton* centreActionButton() const { return centreButton_; }
    ProgressCapsule* resultProgressBar() const { return resultProgress_; }
    ProgressCapsule* centreProgressBar() const { return centreProgress_; }
    ChannelScanResultSummaryView* resultSummary() const { return summary_; }
    ChannelScanChannelsPanel* channelsPanel() const { return channelsPanel_; }
    QScrollArea* scrollArea() const { return scrollArea_; }

    QSize sizeHint() const override { return idealSize; }
    QSize minimumSizeHint() const override { return minimumContentSize; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void build(int headerContentSpacing);
    QWidget* makeEmptyBlock();
    void performAction();

    ChannelScanWindowContent content_;
    std::function<void()> onAction_;
    QScrollArea* scrollArea_ = nullptr;
    ChannelScanWindowHeader* header_ = nullptr;
    ProgressCapsule* resultProgress_ = nullptr;
    ChannelScanResultSummaryView* summary_ = nullptr;
    ChannelScanChannelsPanel* channelsPanel_ = nullptr;
    QWidget* emptyBlock_ = nullptr;
    ChannelScanActionButton* centreButton_ = nullptr;
    ProgressCapsule* centreProgress_ = nullptr;
};
