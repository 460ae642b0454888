#include "UI/Popover/ConnectionMonitorOverlayCard.h"

#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/ConnectionMonitorCardModel.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/SectionDivider.h"
#include "UI/Popover/SignalQualityBadge.h"

#include <QVBoxLayout>

ConnectionMonitorOverlayCard::ConnectionMonitorOverlayCard(ConnectionMonitorCardContent content,
                                                           std::function<void()> onClose,
                                                           QWidget* parent)
    : QWidget(parent),
      header_(new OverlayCardHeader(QStringLiteral("Connection Monitor"), std::nullopt,
                                    QStringLiteral("Back to Toolbox"), std::move(onClose))),
      badge_(new SignalQualityBadge(SignalQuality::good)),
      status_(
          new WrappingLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText())) {
    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(0, 4, 0, 0);
    rows->setSpacing(8);
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        if (index == ConnectionMonitorCardModel::dividerPosition) {
            rows->addWidget(new SectionDivider);
        }
        rows_[index] = new MetricTrendRow(QString(), QString(), {}, std::nullopt, QColor());
        rows->addWidget(rows_[index], 0, Qt::AlignLeft);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(header_);
    layout->addWidget(new WrappingLabel(QStringLiteral("TCP state pressure from netstat"),
                                        PopoverTheme::microFont(), PopoverTheme::secondaryText()));
    layout->addWidget(badge_, 0, Qt::AlignLeft);
    layout->addLayout(rows);
    layout->addWidget(status_);
    layout->addStretch(1);

    setContent(std::move(content));
}

void ConnectionMonitorOverlayCard::setContent(ConnectionMonitorCardContent content) {
    const auto lines = ConnectionMonitorCardModel::metricLines(content);
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        rows_[index]->setTitle(lines[index].title);
        rows_[index]->setValue(lines[index].value);
        rows_[index]->setSeries(lines[index].samples, content.yDomain, lines[index].strokeColor);
    }
    const std::optional<SignalQuality> quality = ConnectionMonitorCardModel::badgeQuality(content);
    badge_->setVisible(quality.has_value());
    if (quality) {
        badge_->setQuality(*quality);
    }
    status_->setText(content.statusText);
}
