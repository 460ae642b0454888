#include "UI/ChannelScan/ChannelScanMetricPill.h"

#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>

ChannelScanMetricPill::ChannelScanMetricPill(const QString& title, const QString& value,
                                             QWidget* parent)
    : Capsule(withOpacity(NamedColors::white, 0.07), QMargins(10, 6, 10, 6), parent),
      title_(new OneLineLabel(title, SystemFont::font(11, QFont::DemiBold),
                              ChannelScanTheme::secondaryText(), this)),
      value_(new OneLineLabel(value, SystemFont::font(12, QFont::DemiBold),
                              ChannelScanTheme::primaryText(), this)) {
    value_->setMonospacedDigits(true);
    contentLayout()->setSpacing(6);
    contentLayout()->addWidget(title_, 0, Qt::AlignVCenter);
    contentLayout()->addWidget(value_, 0, Qt::AlignVCenter);
}

QString ChannelScanMetricPill::title() const {
    return title_->text();
}

QString ChannelScanMetricPill::value() const {
    return value_->text();
}

void ChannelScanMetricPill::setValue(const QString& value) {
    value_->setText(value);
}
