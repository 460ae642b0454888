#include "UI/SpeedTest/SpeedTestWindowView.h"

#include "UI/Ground/DiagonalGradient.h"
#include "UI/Ground/FocusKeeper.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/SpeedTest/SpeedTestActionButton.h"
#include "UI/SpeedTest/SpeedTestBufferbloatPanel.h"
#include "UI/SpeedTest/SpeedTestEmptyState.h"
#include "UI/SpeedTest/SpeedTestFailureNotice.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestHeader.h"
#include "UI/SpeedTest/SpeedTestLatencyPanel.h"
#include "UI/SpeedTest/SpeedTestProgressPanel.h"
#include "UI/SpeedTest/SpeedTestTheme.h"
#include "UI/SpeedTest/SpeedTestThroughputPanel.h"

#include <cmath>

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int padding = 20;
constexpr int columnSpacing = 16;

} // namespace

SpeedTestWindowView::SpeedTestWindowView(double headerContentSpacing, QWidget* parent)
    : QWidget(parent), headerContentSpacing_(headerContentSpacing) {
    setMinimumSize(minimumContentSize);
    new FocusKeeper(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildResultsLayout());
    layout->addWidget(buildEmptyLayout());
    content_.actionButtonTitle = QStringLiteral("Run Test");
    apply(content_);
}

void SpeedTestWindowView::setActionHandler(std::function<void()> handler) {
    actionHandler_ = std::move(handler);
}

QWidget* SpeedTestWindowView::headerGap() const {
    auto* gap = new QWidget;
    gap->setFixedHeight(static_cast<int>(std::lround(headerContentSpacing_)));
    return gap;
}

QWidget* SpeedTestWindowView::buildResultsLayout() {
    auto* column = new QWidget;
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(padding, padding, padding, padding);
    stack->setSpacing(columnSpacing);
    resultsHeader_ = new SpeedTestHeader([this] { actionClicked(); });
    stack->addWidget(resultsHeader_);
    stack->addWidget(headerGap());
    progressPanel_ = new SpeedTestProgressPanel;
    stack->addWidget(progressPanel_);
    resultsFailure_ = new SpeedTestFailureNotice;
    stack->addWidget(resultsFailure_);
    throughputPanel_ = new SpeedTestThroughputPanel;
    stack->addWidget(throughputPanel_);
    latencyPanel_ = new SpeedTestLatencyPanel;
    stack->addWidget(latencyPanel_);
    bufferbloatPanel_ = new SpeedTestBufferbloatPanel;
    stack->addWidget(bufferbloatPanel_);
    stack->addStretch(1);

    scrollArea_ = new QScrollArea;
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setAutoFillBackground(false);
    scrollArea_->viewport()->setAutoFillBackground(false);
    scrollArea_->setWidget(column);
    // The gradient shows through (the scroll area fills its content by default).
    column->setAutoFillBackground(false);
    // A Tab stop, where the arrow keys scroll the results.
    scrollArea_->setAccessibleName(QStringLiteral("Test results"));
    new FocusRing(scrollArea_, FocusRing::defaultColor(), FocusRing::Placement::insideEdge);

    footer_ = new OneLineLabel({}, SpeedTestFonts::font(11, QFont::Medium),
                               SpeedTestTheme::secondaryText());
    footer_->setHorizontalAlignment(Qt::AlignRight);
    footer_->setComposedText(true);
    auto* footerRow = new QHBoxLayout;
    footerRow->setContentsMargins(padding, 4, padding, 14);
    footerRow->addWidget(footer_);

    resultsLayout_ = new QWidget;
    auto* layout = new QVBoxLayout(resultsLayout_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollArea_, 1);
    layout->addLayout(footerRow);
    return resultsLayout_;
}

QWidget* SpeedTestWindowView::buildEmptyLayout() {
    emptyHeader_ = new SpeedTestHeader([this] { actionClicked(); });
    emptyFailure_ = new SpeedTestFailureNotice;
    emptyButton_ = SpeedTestActionButton::make([this] { actionClicked(); });

    auto* centre = new QVBoxLayout;
    centre->setSpacing(14);
    centre->addWidget(new SpeedTestEmptyState);
    centre->addWidget(emptyFailure_);
    centre->addWidget(emptyButton_, 0, Qt::AlignHCenter);

    emptyLayout_ = new QWidget;
    auto* stack = new QVBoxLayout(emptyLayout_);
    stack->setContentsMargins(padding, padding, padding, padding);
    stack->setSpacing(columnSpacing);
    stack->addWidget(emptyHeader_);
    stack->addWidget(headerGap());
    stack->addStretch(1);
    stack->addLayout(centre);
    stack->addStretch(1);
    return emptyLayout_;
}

SpeedTestHeader* SpeedTestWindowView::header() const {
    return content_.layout == SpeedTestWindowLayout::results ? resultsHeader_ : emptyHeader_;
}

WindowBorderedButton* SpeedTestWindowView::actionButton() const {
    return content_.layout == SpeedTestWindowLayout::results ? resultsHeader_->actionButton()
                                                             : emptyButton_;
}

SpeedTestFailureNotice* SpeedTestWindowView::failureNotice() const {
    return content_.layout == SpeedTestWindowLayout::results ? resultsFailure_ : emptyFailure_;
}

void SpeedTestWindowView::setContent(const SpeedTestWindowContent& content) {
    if (content == content_) {
        return;
    }
    apply(content);
}

void SpeedTestWindowView::apply(const SpeedTestWindowContent& content) {
    content_ = content;
    const bool showsResults = content.layout == SpeedTestWindowLayout::results;
    if (showsResults) {
        resultsHeader_->setContent(content.phaseBadge, content.actionButtonTitle);
        progressPanel_->setContent(content.statusText, content.progressPercentText,
                                   content.progress);
        progressPanel_->setVisible(content.showsProgressPanel);
        resultsFailure_->setMessage(content.failureMessage);
        throughputPanel_->setContent(content.throughputTiles);
        latencyPanel_->setContent(content.latencyCells);
        bufferbloatPanel_->setContent(content.gradeTiles, content.insightRows);
        footer_->setText(content.lastTestedAtText);
    } else {
        emptyHeader_->setContent(content.phaseBadge, std::nullopt);
        emptyFailure_->setMessage(content.failureMessage);
        emptyButton_->setTitle(content.actionButtonTitle);
    }
    resultsLayout_->setVisible(showsResults);
    emptyLayout_->setVisible(!showsResults);
}

void SpeedTestWindowView::actionClicked() {
    if (actionHandler_) {
        actionHandler_();
    }
}

void SpeedTestWindowView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    fillDiagonalGradient(painter, rect(), SpeedTestTheme::backgroundTop(),
                         SpeedTestTheme::backgroundBottom());
}
