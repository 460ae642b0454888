#pragma once

#include "UI/SpeedTest/SpeedTestWindowContent.h"

#include <functional>

#include <QWidget>

class OneLineLabel;
class QScrollArea;
class SpeedTestBufferbloatPanel;
class SpeedTestFailureNotice;
class SpeedTestHeader;
class SpeedTestLatencyPanel;
class SpeedTestProgressPanel;
class SpeedTestThroughputPanel;
class WindowBorderedButton;

// The content of the Speed Test window on its dark diagonal gradient: the
// results layout (a scrolling column of the header, the progress panel while
// a test runs, and the throughput, latency and bufferbloat panels, over a
// pinned footer) or the empty layout (the header over the centred empty-state
// text and the action button). It paints what it is given and reports clicks
// of its action button; it reads and starts nothing itself.
class SpeedTestWindowView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize minimumContentSize{860, 580};

    explicit SpeedTestWindowView(double headerContentSpacing, QWidget* parent = nullptr);

    // Called when the action button on show is clicked.
    void setActionHandler(std::function<void()> handler);

    const SpeedTestWindowContent& content() const { return content_; }
    void setContent(const SpeedTestWindowContent& content);

    double headerContentSpacing() const { return headerContentSpacing_; }

    QWidget* resultsLayout() const { return resultsLayout_; }
    QWidget* emptyLayout() const { return emptyLayout_; }
    // The header of the layout on show.
    SpeedTestHeader* header() const;
    // The one action button on show: in the header of the results layout,
    // under the empty-state text otherwise.
    WindowBorderedButton* actionButton() const;
    // The failure notice of the layout on show.
    SpeedTestFailureNotice* failureNotice() const;
    SpeedTestProgressPanel* progressPanel() const { return progressPanel_; }
    SpeedTestThroughputPanel* throughputPanel() const { return throughputPanel_; }
    SpeedTestLatencyPanel* latencyPanel() const { return latencyPanel_; }
    SpeedTestBufferbloatPanel* bufferbloatPanel() const { return bufferbloatPanel_; }
    OneLineLabel* footerLabel() const { return footer_; }
    QScrollArea* scrollArea() const { return scrollArea_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildResultsLayout();
    QWidget* buildEmptyLayout();
    QWidget* headerGap() const;
    void apply(const SpeedTestWindowContent& content);
    void actionClicked();

    double headerContentSpacing_;
    std::function<void()> actionHandler_;
    SpeedTestWindowContent content_;

    QWidget* resultsLayout_ = nullptr;
    SpeedTestHeader* resultsHeader_ = nullptr;
    SpeedTestProgressPanel* progressPanel_ = nullptr;
    SpeedTestFailureNotice* resultsFailure_ = nullptr;
    SpeedTestThroughputPanel* throughputPanel_ = nullptr;
    SpeedTestLatencyPanel* latencyPanel_ = nullptr;
    SpeedTestBufferbloatPanel* bufferbloatPanel_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    OneLineLabel* footer_ = nullptr;

    QWidget* emptyLayout_ = nullptr;
    SpeedTestHeader* emptyHeader_ = nullptr;
    SpeedTestFailureNotice* emptyFailure_ = nullptr;
    WindowBorderedButton* emptyButton_ = nullptr;
};
