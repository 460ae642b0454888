#include "UI/SpeedTest/SpeedTestInsightRow.h"

#include "UI/Ground/SymbolView.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>

namespace {

// The sentence's "->" is two characters, not the arrow the face's contextual
// alternates would draw.
QFont messageFont() {
    QFont font = SpeedTestFonts::font(12, QFont::Medium);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

constexpr int iconFrameWidth = 12;
constexpr int iconSize = 11;
constexpr int iconTopPadding = 1;

} // namespace

SpeedTestInsightRow::SpeedTestInsightRow(const SpeedTestInsightRowContent& content, QWidget* parent)
    : QWidget(parent), content_(content),
      indicator_(new SymbolView(content.indicatorSymbolName, iconSize, content.indicatorColor)),
      message_(new WrappingLabel(content.message, messageFont(), SpeedTestTheme::primaryText())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* iconFrame = new QWidget;
    iconFrame->setFixedWidth(iconFrameWidth);
    auto* iconLayout = new QHBoxLayout(iconFrame);
    iconLayout->setContentsMargins(0, iconTopPadding, 0, 0);
    iconLayout->setSpacing(0);
    indicator_->setFixedSize(iconFrameWidth, iconSize + 3);
    iconLayout->addWidget(indicator_, 0, Qt::AlignTop);
    layout->addWidget(iconFrame, 0, Qt::AlignTop);
    layout->addWidget(message_, 1, Qt::AlignTop);
}

void SpeedTestInsightRow::setContent(const SpeedTestInsightRowContent& content) {
    if (content == content_) {
        return;
    }
    if (content.indicatorSymbolName != content_.indicatorSymbolName) {
        auto* indicator = new SymbolView(content.indicatorSymbolName, iconSize, {});
        indicator->setFixedSize(iconFrameWidth, iconSize + 3);
        delete indicator_->parentWidget()->layout()->replaceWidget(indicator_, indicator);
        delete indicator_;
        indicator_ = indicator;
    }
    indicator_->setColor(content.indicatorColor);
    message_->setText(content.message);
    content_ = content;
}
