#include "UI/ChannelScan/ChannelScanCongestionRow.h"

#include "UI/ChannelScan/ChannelScanCongestionBar.h"
#include "UI/ChannelScan/ChannelScanMarkerTag.h"
#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ChannelScanCongestionRow::ChannelScanCongestionRow(const ChannelScanCongestionRowContent& content,
                                                   QWidget* parent)
    : QWidget(parent), content_(content) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(makeHeaderLine());
    layout->addWidget(makeCongestionLine());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QWidget* ChannelScanCongestionRow::makeHeaderLine() {
    auto* line = new QWidget(this);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new OneLineLabel(content_.channelText, SystemFont::font(12, QFont::DemiBold),
                                       ChannelScanTheme::primaryText(), line));
    if (content_.isCurrent) {
        layout->addWidget(
            new ChannelScanMarkerTag(QStringLiteral("Current"), NamedColors::blue, line));
    }
    if (content_.isRecommended) {
        layout->addWidget(
            new ChannelScanMarkerTag(QStringLiteral("Recommended"), NamedColors::green, line));
    }
    layout->addStretch(1);
    score_ = new OneLineLabel(content_.scoreText, SystemFont::font(12, QFont::Medium),
                              ChannelScanTheme::primaryText(), line);
    score_->setMonospacedDigits(true);
    score_->setHorizontalAlignment(Qt::AlignRight);
    layout->addWidget(score_);
    return line;
}

QWidget* ChannelScanCongestionRow::makeCongestionLine() {
    auto* line = new QWidget(this);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* count = new OneLineLabel(content_.networkCountText, SystemFont::font(11, QFont::Medium),
                                   ChannelScanTheme::secondaryText(), line);
    count->setFixedWidth(countColumnWidth);
    layout->addWidget(count);
    bar_ = new ChannelScanCongestionBar(content_.congestion, content_.barColor, line);
    layout->addWidget(bar_, 1);
    return line;
}

QList<ChannelScanMarkerTag*> ChannelScanCongestionRow::tags() const {
    return findChildren<ChannelScanMarkerTag*>();
}
