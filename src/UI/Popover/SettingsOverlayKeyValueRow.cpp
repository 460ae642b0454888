#include "UI/Popover/SettingsOverlayKeyValueRow.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/LineLimitedLabel.h"

#include <QHBoxLayout>

SettingsOverlayKeyValueRow::SettingsOverlayKeyValueRow(const QString& key, const QString& value,
                                                       QWidget* parent)
    : QWidget(parent),
      key_(new OneLineLabel(key, PopoverTheme::microFont(), PopoverTheme::secondaryText())),
      value_(new LineLimitedLabel(value, SystemFont::font(12, QFont::DemiBold),
                                  PopoverTheme::primaryText(), 2)) {
    key_->setFixedWidth(keyWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(key_, 0, Qt::AlignTop);
    layout->addWidget(value_, 1);
}

QString SettingsOverlayKeyValueRow::key() const {
    return key_->text();
}

QString SettingsOverlayKeyValueRow::value() const {
    return value_->text();
}
