#include "UI/Popover/OverlayCardHeader.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Popover/BackButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int titleSize = 18;

} // namespace

OverlayCardHeader::OverlayCardHeader(const QString& title, const std::optional<QString>& subtitle,
                                     const QString& backAccessibilityLabel,
                                     std::function<void()> onBack, QWidget* parent)
    : QWidget(parent), title_(new OneLineLabel(title, SystemFont::font(titleSize, QFont::DemiBold),
                                               PopoverTheme::primaryText())),
      back_(new BackButton(backAccessibilityLabel, std::move(onBack))) {
    auto* titles = new QVBoxLayout;
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(2);
    titles->addWidget(title_);
    if (subtitle) {
        titles->addWidget(
            new OneLineLabel(*subtitle, PopoverTheme::microFont(), PopoverTheme::secondaryText()));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(titles, 1);
    layout->addWidget(back_, 0, Qt::AlignTop);
}

QString OverlayCardHeader::title() const {
    return title_->text();
}
