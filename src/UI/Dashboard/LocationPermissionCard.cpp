#include "UI/Dashboard/LocationPermissionCard.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/PopoverPushButton.h"

#include <QVBoxLayout>

namespace {

QFont titleFont() {
    QFont font = PopoverTheme::bodyFont();
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

LocationPermissionCard::LocationPermissionCard(std::function<void()> onButton, QWidget* parent)
    : QWidget(parent),
      text_(new WrappingLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText())),
      button_(new PopoverPushButton(QString(), PopoverPushButton::Style::plain,
                                    PopoverTheme::microFont(), std::move(onButton))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new OneLineLabel(QStringLiteral("Location Permission"), titleFont(),
                                       PopoverTheme::primaryText()));
    layout->addWidget(text_);
    layout->addWidget(button_, 0, Qt::AlignLeft);
    button_->hide();
}

void LocationPermissionCard::setContent(const LocationCardContent& content) {
    text_->setText(content.text);
    if (content.buttonTitle && *content.buttonTitle != button_->text()) {
        button_->setText(*content.buttonTitle);
        button_->setAccessibleName(*content.buttonTitle);
        button_->updateGeometry();
    }
    button_->setVisible(content.buttonTitle.has_value());
}
