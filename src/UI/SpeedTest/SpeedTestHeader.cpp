#include "UI/SpeedTest/SpeedTestHeader.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/SpeedTest/SpeedTestActionButton.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestPhaseBadge.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

OneLineLabel* fixedLabel(const QString& text, const QFont& font, const QColor& color) {
    auto* label = new OneLineLabel(text, font, color);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

QLayout* titleLine(SpeedTestPhaseBadge* badge) {
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    line->addWidget(
        new SymbolView(QStringLiteral("speedometer"), 15, SpeedTestTheme::secondaryText()), 0,
        Qt::AlignVCenter);
    line->addWidget(fixedLabel(QStringLiteral("Speed Test"),
                               SpeedTestFonts::rounded(23, QFont::Normal),
                               SpeedTestTheme::primaryText()),
                    0, Qt::AlignVCenter);
    line->addWidget(fixedLabel(QStringLiteral("|"), SpeedTestFonts::font(13, QFont::Normal),
                               SpeedTestTheme::mutedText()),
                    0, Qt::AlignVCenter);
    line->addWidget(fixedLabel(QStringLiteral("Cloudflare"),
                               SpeedTestFonts::font(15, QFont::Medium),
                               SpeedTestTheme::secondaryText()),
                    0, Qt::AlignVCenter);
    line->addWidget(badge, 0, Qt::AlignVCenter);
    line->addStretch(1);
    return line;
}

} // namespace

SpeedTestHeader::SpeedTestHeader(std::function<void()> onAction, QWidget* parent)
    : QWidget(parent), badge_(new SpeedTestPhaseBadge),
      button_(SpeedTestActionButton::make(std::move(onAction))) {
    auto* text = new QVBoxLayout;
    text->setSpacing(5);
    text->addLayout(titleLine(badge_));
    text->addWidget(
        new OneLineLabel(QStringLiteral("Measure download, upload and responsiveness under load."),
                         SpeedTestFonts::font(12, QFont::Normal), SpeedTestTheme::secondaryText()));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // 12 on each side of a flexible space at least 10 wide.
    layout->setSpacing(0);
    layout->addLayout(text, 1);
    layout->addSpacing(12 + 10 + 12);
    layout->addWidget(button_, 0, Qt::AlignTop);
    badge_->hide();
    button_->hide();
}

void SpeedTestHeader::setContent(const std::optional<BadgeContent>& badge,
                                 const std::optional<QString>& buttonTitle) {
    if (badge) {
        badge_->setContent(*badge);
    }
    badge_->setVisible(badge.has_value());
    if (buttonTitle) {
        button_->setTitle(*buttonTitle);
    }
    button_->setVisible(buttonTitle.has_value());
}
