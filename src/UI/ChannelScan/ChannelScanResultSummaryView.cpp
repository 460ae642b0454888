#include "UI/ChannelScan/ChannelScanResultSummaryView.h"

#include "UI/ChannelScan/ChannelScanMetricPill.h"
#include "UI/ChannelScan/ChannelScanSelectionCard.h"
#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ChannelScanResultSummaryView::ChannelScanResultSummaryView(QWidget* parent)
    : QWidget(parent),
      networksSeen_(new ChannelScanMetricPill(QStringLiteral("Networks Seen"), QString(), this)),
      passes_(new ChannelScanMetricPill(QStringLiteral("Passes"), QString(), this)),
      currentCard_(new ChannelScanSelectionCard({}, this)),
      recommendedCard_(new ChannelScanSelectionCard({}, this)),
      comparison_(new WrappingLabel(QString(), SystemFont::font(12, QFont::Medium),
                                    ChannelScanTheme::secondaryText(), this)) {
    auto* pills = new QHBoxLayout;
    pills->setSpacing(14);
    pills->addWidget(networksSeen_, 0, Qt::AlignVCenter);
    pills->addWidget(passes_, 0, Qt::AlignVCenter);
    pills->addStretch(1);

    auto* cards = new QHBoxLayout;
    cards->setSpacing(10);
    // Equal widths; a card without a channel is shorter and sits centred.
    cards->addWidget(currentCard_, 1, Qt::AlignVCenter);
    cards->addWidget(recommendedCard_, 1, Qt::AlignVCenter);

    auto* sentence = new QVBoxLayout;
    sentence->setContentsMargins(0, 4, 0, 4);
    sentence->addWidget(comparison_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(pills);
    layout->addLayout(cards);
    layout->addLayout(sentence);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ChannelScanResultSummaryView::setContent(const ChannelScanResultContent& content) {
    networksSeen_->setValue(content.networksSeenValue);
    passes_->setValue(content.passesValue);
    currentCard_->setContent(content.currentCard);
    recommendedCard_->setContent(content.recommendedCard);
    comparison_->setText(content.comparisonText);
}
