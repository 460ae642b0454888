#include "UI/SpeedTest/SpeedTestMetricTile.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SpeedTestMetricTile::SpeedTestMetricTile(const SpeedTestMetricTileContent& content, QWidget* parent)
    : SpeedTestCardSurface(10, withOpacity(NamedColors::white, 0.06), std::nullopt,
                           QMargins(12, 9, 12, 9), 3, parent),
      content_(content),
      value_(new OneLineLabel(content.value, SpeedTestFonts::rounded(36, QFont::Bold),
                              content.valueColor)),
      title_(new OneLineLabel(content.title, SpeedTestFonts::font(12, QFont::Medium),
                              SpeedTestTheme::secondaryText())) {
    value_->setMonospacedDigits(true);
    value_->setMinimumScale(0.75);
    contentLayout()->addWidget(value_);

    caption_ = new QHBoxLayout;
    auto* caption = caption_;
    caption->setSpacing(5);
    symbol_ = new SymbolView(content.symbolName, 11, SpeedTestTheme::secondaryText());
    caption->addWidget(symbol_, 0, Qt::AlignVCenter);
    caption->addWidget(title_, 1, Qt::AlignVCenter);
    contentLayout()->addLayout(caption);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SpeedTestMetricTile::setContent(const SpeedTestMetricTileContent& content) {
    if (content == content_) {
        return;
    }
    if (content.symbolName != content_.symbolName) {
        auto* symbol = new SymbolView(content.symbolName, 11, SpeedTestTheme::secondaryText());
        delete caption_->replaceWidget(symbol_, symbol);
        delete symbol_;
        symbol_ = symbol;
    }
    content_ = content;
    value_->setText(content.value);
    value_->setColor(content.valueColor);
    title_->setText(content.title);
}
