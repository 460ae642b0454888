#include "UI/SpeedTest/SpeedTestPhaseBadge.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"

#include <QHBoxLayout>

SpeedTestPhaseBadge::SpeedTestPhaseBadge(QWidget* parent)
    : Capsule(QColor(Qt::transparent), QMargins(8, 3, 8, 3), parent),
      label_(new OneLineLabel({}, SpeedTestFonts::font(11, QFont::DemiBold), QColor())) {
    label_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    contentLayout()->addWidget(label_);
}

void SpeedTestPhaseBadge::setContent(const BadgeContent& content) {
    if (content == content_) {
        return;
    }
    content_ = content;
    label_->setText(content.text);
    label_->setColor(content.tint);
    setFill(withOpacity(content.tint, 0.2));
}
