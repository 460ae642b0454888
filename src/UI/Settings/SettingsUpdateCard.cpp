#include "UI/Settings/SettingsUpdateCard.h"

#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Settings/SettingsBorderedButton.h"
#include "UI/Settings/SettingsColors.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SettingsUpdateCard::SettingsUpdateCard(QWidget* parent)
    : SettingsCard(Qt::transparent, Qt::transparent, parent),
      symbol_(new SymbolView(QStringLiteral("arrow.down.circle.fill"), 14, Qt::blue)),
      title_(new OneLineLabel(QString(), SystemFont::font(13, QFont::DemiBold), Qt::black)),
      releaseNotes_(
          new LineLimitedLabel(QString(), SystemFont::font(12), Qt::gray, releaseNotesLineLimit)),
      download_(new SettingsBorderedButton(QStringLiteral("Download Update"))) {
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->setSpacing(8);
    heading->addWidget(symbol_, 0, Qt::AlignVCenter);
    heading->addWidget(title_, 1, Qt::AlignVCenter);

    auto* actions = new QHBoxLayout;
    actions->setContentsMargins(0, 0, 0, 0);
    actions->addStretch(1);
    actions->addWidget(download_);
    connect(download_, &QAbstractButton::clicked, this, &SettingsUpdateCard::downloadPressed);

    contentLayout()->addLayout(heading);
    contentLayout()->addWidget(releaseNotes_);
    contentLayout()->addLayout(actions);
}

void SettingsUpdateCard::setContent(const SettingsAboutPageContent::UpdateCard& content) {
    title_->setText(content.title);
    releaseNotes_->setText(content.releaseNotes.value_or(QString()));
    releaseNotes_->setVisible(content.releaseNotes.has_value());
}

void SettingsUpdateCard::setColors(const SettingsColors& colors) {
    SettingsCard::setColors(colors.updateCardFill(), colors.updateCardStroke());
    symbol_->setColor(colors.blue);
    title_->setColor(colors.primary);
    releaseNotes_->setColor(colors.secondary);
    download_->setProminentColor(colors.accent);
}
