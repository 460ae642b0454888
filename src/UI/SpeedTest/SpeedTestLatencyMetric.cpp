#include "UI/SpeedTest/SpeedTestLatencyMetric.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QVBoxLayout>

SpeedTestLatencyMetric::SpeedTestLatencyMetric(const SpeedTestLatencyCellContent& content,
                                               QWidget* parent)
    : SpeedTestCardSurface(10, withOpacity(NamedColors::white, 0.06), std::nullopt,
                           QMargins(10, 8, 10, 8), 2, parent),
      content_(content),
      title_(new OneLineLabel(content.title, SpeedTestFonts::font(11, QFont::DemiBold),
                              SpeedTestTheme::secondaryText())),
      value_(new OneLineLabel(content.value, SpeedTestFonts::rounded(20, QFont::Bold),
                              SpeedTestTheme::primaryText())) {
    value_->setMonospacedDigits(true);
    contentLayout()->addWidget(title_);
    contentLayout()->addWidget(value_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SpeedTestLatencyMetric::setContent(const SpeedTestLatencyCellContent& content) {
    if (content == content_) {
        return;
    }
    content_ = content;
    title_->setText(content.title);
    value_->setText(content.value);
}
