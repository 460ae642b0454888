#include "UI/ChannelScan/ChannelScanMarkerTag.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>

ChannelScanMarkerTag::ChannelScanMarkerTag(const QString& text, const QColor& accentColor,
                                           QWidget* parent)
    : Capsule(withOpacity(accentColor, 0.22), QMargins(7, 2, 7, 2), parent),
      label_(new OneLineLabel(text, SystemFont::font(10, QFont::DemiBold), accentColor, this)) {
    contentLayout()->addWidget(label_);
}

QString ChannelScanMarkerTag::text() const {
    return label_->text();
}

QColor ChannelScanMarkerTag::accentColor() const {
    return label_->color();
}
