#include "UI/SpeedTest/SpeedTestGradeTile.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int letterFrameWidth = 28;

} // namespace

SpeedTestGradeTile::SpeedTestGradeTile(const SpeedTestGradeTileContent& content, QWidget* parent)
    : SpeedTestCardSurface(10, withOpacity(NamedColors::white, 0.06), std::nullopt,
                           QMargins(10, 8, 10, 8), 4, parent),
      content_(content),
      title_(new OneLineLabel(content.title, SpeedTestFonts::font(11, QFont::DemiBold),
                              SpeedTestTheme::secondaryText())),
      letter_(new OneLineLabel(content.letter, SpeedTestFonts::rounded(20, QFont::Bold),
                               content.letterColor)),
      ratio_(new OneLineLabel(content.ratioText, SpeedTestFonts::font(12, QFont::Medium),
                              SpeedTestTheme::primaryText())) {
    contentLayout()->addWidget(title_);
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    letter_->setFixedWidth(letterFrameWidth);
    line->addWidget(letter_, 0, Qt::AlignVCenter);
    line->addWidget(ratio_, 1, Qt::AlignVCenter);
    contentLayout()->addLayout(line);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SpeedTestGradeTile::setContent(const SpeedTestGradeTileContent& content) {
    if (content == content_) {
        return;
    }
    content_ = content;
    title_->setText(content.title);
    letter_->setText(content.letter);
    letter_->setColor(content.letterColor);
    ratio_->setText(content.ratioText);
}
