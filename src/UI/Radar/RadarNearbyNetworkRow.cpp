#include "UI/Radar/RadarNearbyNetworkRow.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 8;

} // namespace

RadarNearbyNetworkRow::RadarNearbyNetworkRow(QWidget* parent)
    : QWidget(parent), ssid_(new OneLineLabel(QString(), SystemFont::monospaced(12, QFont::Medium),
                                              WiFiRadarTheme::primaryText())),
      channel_(new OneLineLabel(QString(), SystemFont::monospaced(10, QFont::Medium),
                                withOpacity(WiFiRadarTheme::secondaryText(), 0.9))),
      signal_(new OneLineLabel(QString(), SystemFont::monospaced(12, QFont::DemiBold),
                               WiFiRadarTheme::secondaryText())) {
    signal_->setHorizontalAlignment(Qt::AlignRight);
    // A long name gives way; the signal is always shown whole.
    signal_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* names = new QVBoxLayout;
    names->setContentsMargins(0, 0, 0, 0);
    names->setSpacing(2);
    names->addWidget(ssid_);
    names->addWidget(channel_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 7, 10, 7);
    layout->addLayout(names, 1);
    layout->addWidget(signal_, 0, Qt::AlignVCenter);
}

void RadarNearbyNetworkRow::setContent(const RadarNearbyRowContent& content) {
    content_ = content;
    ssid_->setText(content.ssid);
    channel_->setText(content.channel);
    signal_->setText(content.signal);
}

void RadarNearbyNetworkRow::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath surface;
    surface.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(surface, withOpacity(NamedColors::white, 0.04));
}
