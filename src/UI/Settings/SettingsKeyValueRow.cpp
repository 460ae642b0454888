#include "UI/Settings/SettingsKeyValueRow.h"

#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>

SettingsKeyValueRow::SettingsKeyValueRow(const QString& key, const QString& value, QWidget* parent)
    : QWidget(parent), key_(new OneLineLabel(key, SystemFont::font(12, QFont::Medium), Qt::gray)),
      value_(new LineLimitedLabel(value, SystemFont::font(13, QFont::DemiBold), Qt::black,
                                  valueLineLimit)) {
    key_->setFixedWidth(keyColumnWidth);
    value_->setTextSelectable(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(key_, 0, Qt::AlignTop);
    layout->addWidget(value_, 1, Qt::AlignTop);
}

QString SettingsKeyValueRow::key() const {
    return key_->text();
}

QString SettingsKeyValueRow::value() const {
    return value_->text();
}

void SettingsKeyValueRow::setValue(const QString& value) {
    value_->setText(value);
}

void SettingsKeyValueRow::setColors(const QColor& primary, const QColor& secondary) {
    key_->setColor(secondary);
    value_->setColor(primary);
}
