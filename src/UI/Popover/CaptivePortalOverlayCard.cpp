#include "UI/Popover/CaptivePortalOverlayCard.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/CaptivePortalCardModel.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/SignalQualityBadge.h"

#include <QVBoxLayout>

CaptivePortalOverlayCard::CaptivePortalOverlayCard(CaptivePortalCardContent content,
                                                   std::function<void()> onClose, QWidget* parent)
    : QWidget(parent),
      header_(new OverlayCardHeader(QStringLiteral("Captive Portal"), std::nullopt,
                                    QStringLiteral("Back to Toolbox"), std::move(onClose))),
      badge_(new SignalQualityBadge(SignalQuality::warning)),
      state_(new MetricRow(QStringLiteral("State"), QString())),
      reason_(new MetricRow(QStringLiteral("Reason"), QString())),
      portalURL_(
          new OneLineLabel(QString(), PopoverTheme::microFont(), PopoverTheme::primaryText())),
      lastCheck_(new MetricRow(QStringLiteral("Last Check"), QString())),
      status_(
          new WrappingLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText())) {
    portalURL_->setElideMode(Qt::ElideMiddle);

    auto* portalBlock = new QVBoxLayout;
    portalBlock->setContentsMargins(0, 0, 0, 0);
    portalBlock->setSpacing(4);
    portalBlock->addWidget(new OneLineLabel(QStringLiteral("Portal URL"),
                                            PopoverTheme::metricTitleFont(),
                                            PopoverTheme::secondaryText()));
    portalBlock->addWidget(portalURL_);

    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(8);
    rows->addWidget(state_);
    rows->addWidget(reason_);
    rows->addLayout(portalBlock);
    rows->addWidget(lastCheck_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(header_);
    layout->addWidget(new WrappingLabel(
        QStringLiteral("Checks known probe URLs for redirects and login-page injection."),
        PopoverTheme::microFont(), PopoverTheme::secondaryText()));
    layout->addWidget(badge_, 0, Qt::AlignLeft);
    layout->addLayout(rows);
    layout->addWidget(status_);
    layout->addStretch(1);

    setContent(content);
}

void CaptivePortalOverlayCard::setContent(const CaptivePortalCardContent& content) {
    const auto& status = content.latestStatus;
    state_->setValue(CaptivePortalCardModel::stateText(status));
    reason_->setValue(CaptivePortalCardModel::reasonText(status));
    portalURL_->setText(CaptivePortalCardModel::portalURLText(status));
    lastCheck_->setValue(CaptivePortalCardModel::lastCheckedText(status, content.now));
    badge_->setQuality(CaptivePortalCardModel::badgeQuality(status));
    status_->setText(content.statusText);
}
