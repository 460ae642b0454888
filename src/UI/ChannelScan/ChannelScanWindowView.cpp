#include "UI/ChannelScan/ChannelScanWindowView.h"

#include "UI/ChannelScan/ChannelScanActionButton.h"
#include "UI/ChannelScan/ChannelScanChannelsPanel.h"
#include "UI/ChannelScan/ChannelScanResultSummaryView.h"
#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/ChannelScan/ChannelScanWindowBinder.h"
#include "UI/ChannelScan/ChannelScanWindowHeader.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/DiagonalGradient.h"
#include "UI/Ground/FocusKeeper.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/ProgressCapsule.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int padding = 20;
constexpr int sectionSpacing = 16;
constexpr int centreSpacing = 14;
constexpr int centreProgressWidth = 320;

ProgressCapsule* makeProgressBar(QWidget* parent) {
    return new ProgressCapsule(withOpacity(NamedColors::white, 0.12), ChannelScanTheme::accent(),
                               parent);
}

WrappingLabel* centredLabel(const QString& text, const QFont& font, const QColor& color,
                            QWidget* parent) {
    auto* label = new WrappingLabel(text, font, color, parent);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

// A transparent gap of a fixed height that keeps the stack's spacing on both
// sides, as a view would.
QWidget* gap(int height, QWidget* parent) {
    auto* spacer = new QWidget(parent);
    spacer->setFixedHeight(height);
    return spacer;
}

} // namespace

ChannelScanWindowView::ChannelScanWindowView(std::shared_ptr<ChannelScanMonitor> channelScanMonitor,
                                             int headerContentSpacing, QWidget* parent)
    : ChannelScanWindowView(headerContentSpacing, parent) {
    new ChannelScanWindowBinder(std::move(channelScanMonitor), *this);
}

ChannelScanWindowView::ChannelScanWindowView(int headerContentSpacing, QWidget* parent)
    : QWidget(parent) {
    new FocusKeeper(this);
    build(headerContentSpacing);
    setMinimumSize(minimumContentSize);
    setContent(ChannelScanWindowContent{});
}

ChannelScanWindowView::~ChannelScanWindowView() = default;

void ChannelScanWindowView::build(int headerContentSpacing) {
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    header_ = new ChannelScanWindowHeader(content);
    resultProgress_ = makeProgressBar(content);
    summary_ = new ChannelScanResultSummaryView(content);
    channelsPanel_ = new ChannelScanChannelsPanel(content);
    emptyBlock_ = makeEmptyBlock();
    connect(header_->actionButton(), &QAbstractButton::clicked, this,
            &ChannelScanWindowView::performAction);

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(sectionSpacing);
    layout->addWidget(header_);
    layout->addWidget(gap(headerContentSpacing, content));
    layout->addWidget(resultProgress_);
    layout->addWidget(summary_);
    layout->addWidget(channelsPanel_);
    layout->addWidget(emptyBlock_, 1);
    layout->addStretch(0);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setAutoFillBackground(false);
    scrollArea_->viewport()->setAutoFillBackground(false);
    scrollArea_->setWidget(content);
    content->setAutoFillBackground(false);
    // A Tab stop, where the arrow keys scroll the results.
    scrollArea_->setAccessibleName(QStringLiteral("Scan results"));
    new FocusRing(scrollArea_, FocusRing::defaultColor(), FocusRing::Placement::insideEdge);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(scrollArea_);
}

// The empty layout's centre: the invitation, then the button or, while a scan
// runs, its progress.
QWidget* ChannelScanWindowView::makeEmptyBlock() {
    auto* block = new QWidget;
    auto* invitation = new QVBoxLayout;
    invitation->setSpacing(8);
    invitation->addWidget(centredLabel(QStringLiteral("No scan results yet"),
                                       SystemFont::font(14, QFont::DemiBold),
                                       ChannelScanTheme::primaryText(), block));
    invitation->addWidget(centredLabel(QStringLiteral("Run a scan to compare current channel "
                                                      "quality against nearby options in the same "
                                                      "band."),
                                       SystemFont::font(12, QFont::Medium),
                                       ChannelScanTheme::secondaryText(), block));

    centreButton_ = new ChannelScanActionButton(QString(), block);
    connect(centreButton_, &QAbstractButton::clicked, this, &ChannelScanWindowView::performAction);
    centreProgress_ = makeProgressBar(block);
    centreProgress_->setFixedWidth(centreProgressWidth);

    auto* centre = new QVBoxLayout;
    centre->setSpacing(centreSpacing);
    centre->addLayout(invitation);
    centre->addWidget(centreButton_, 0, Qt::AlignHCenter);
    centre->addWidget(centreProgress_, 0, Qt::AlignHCenter);

    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    layout->addLayout(centre);
    layout->addStretch(1);
    return block;
}

ChannelScanActionButton* ChannelScanWindowView::headerActionButton() const {
    return header_->actionButton();
}

void ChannelScanWindowView::setContent(const ChannelScanWindowContent& content) {
    content_ = content;
    const bool hasResult = content.result.has_value();
    const bool isScanning = content.showsProgress;

    header_->actionButton()->setTitle(content.actionTitle);
    header_->actionButton()->setVisible(content.showsHeaderActionButton);
    centreButton_->setTitle(content.actionTitle);
    centreButton_->setVisible(!hasResult && !isScanning);
    resultProgress_->setFraction(content.progressFraction);
    resultProgress_->setVisible(hasResult && isScanning);
    centreProgress_->setFraction(content.progressFraction);
    centreProgress_->setVisible(!hasResult && isScanning);

    if (hasResult) {
        summary_->setContent(*content.result);
        channelsPanel_->setRows(content.result->rows);
    }
    summary_->setVisible(hasResult);
    channelsPanel_->setVisible(hasResult);
    emptyBlock_->setVisible(!hasResult);
}

void ChannelScanWindowView::performAction() {
    if (onAction_) {
        onAction_();
    }
}

void ChannelScanWindowView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    fillDiagonalGradient(painter, rect(), ChannelScanTheme::backgroundTop(),
                         ChannelScanTheme::backgroundBottom());
}
