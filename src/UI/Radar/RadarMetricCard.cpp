#include "UI/Radar/RadarMetricCard.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 9;

} // namespace

RadarMetricCard::RadarMetricCard(QWidget* parent)
    : QWidget(parent),
      title_(new OneLineLabel(QString(), SystemFont::monospaced(12, QFont::DemiBold),
                              WiFiRadarTheme::secondaryText())),
      value_(new OneLineLabel(QString(), SystemFont::monospaced(14, QFont::DemiBold), QColor())),
      sparkline_(new InlineSparklineView({}, std::nullopt, QColor())) {
    value_->setHorizontalAlignment(Qt::AlignRight);
    value_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    sparkline_->setFixedHeight(sparklineHeight);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(title_, 1);
    header->addWidget(value_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 6, 9, 6);
    layout->setSpacing(6);
    layout->addLayout(header);
    layout->addWidget(sparkline_);
}

void RadarMetricCard::setContent(const RadarMetricCardContent& content, const QColor& color) {
    title_->setText(content.title);
    value_->setText(content.valueText());
    value_->setColor(color);
    sparkline_->setSeries(content.samples, content.yDomain, color);
}

void RadarMetricCard::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(card, withOpacity(NamedColors::white, 0.05));
    painter.setPen(QPen(WiFiRadarTheme::border(), 1));
    painter.drawPath(card);
}
