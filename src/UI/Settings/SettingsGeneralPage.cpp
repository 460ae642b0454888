#include "UI/Settings/SettingsGeneralPage.h"

#include "UI/Ground/Capsule.h"
#include "UI/Ground/MinimumGap.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Settings/SettingsCard.h"
#include "UI/Settings/SettingsLinkButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SettingsGeneralPage::SettingsGeneralPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(
        colorBindings_.bind(new OneLineLabel(QStringLiteral("General"),
                                             SystemFont::font(20, QFont::DemiBold), Qt::black),
                            &SettingsColors::primary));
    layout->addWidget(colorBindings_.bind(
        new WrappingLabel(QStringLiteral("Manage app behavior and monitoring defaults."),
                          SystemFont::font(13), Qt::gray),
        &SettingsColors::secondary));
    layout->addWidget(makeBatteryCard());
    layout->addWidget(makeLoginCard());
}

QLayout* SettingsGeneralPage::switchRow(SwitchToggle* toggle, const QString& title,
                                        const QString& description) {
    switches_.push_back(toggle);
    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(3);
    texts->addWidget(colorBindings_.bind(
        new OneLineLabel(title, SystemFont::font(13, QFont::DemiBold), Qt::black),
        &SettingsColors::primary));
    texts->addWidget(
        colorBindings_.bind(new WrappingLabel(description, SystemFont::font(12), Qt::gray),
                            &SettingsColors::secondary));

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(toggle, 0, Qt::AlignVCenter);
    row->addLayout(texts, 1);
    addMinimumGap(*row, 8);
    return row;
}

SettingsCard* SettingsGeneralPage::makeBatteryCard() {
    batterySwitch_ = new SwitchToggle(QStringLiteral("Battery friendly"));
    connect(batterySwitch_, &QAbstractButton::clicked, this,
            &SettingsGeneralPage::batteryFriendlySwitched);

    badge_ = new Capsule(Qt::transparent, QMargins(9, 4, 9, 4));
    badgeText_ = colorBindings_.bind(
        new OneLineLabel(QString(), SystemFont::font(11, QFont::Medium), Qt::gray),
        &SettingsColors::secondary);
    badge_->contentLayout()->addWidget(badgeText_);

    QLayout* row = switchRow(batterySwitch_, QStringLiteral("Battery friendly"),
                             QStringLiteral("Fast while open, slower in background."));
    static_cast<QHBoxLayout*>(row)->addWidget(badge_, 0, Qt::AlignVCenter);

    auto* card = new SettingsCard(Qt::transparent, Qt::transparent);
    cards_.push_back(card);
    card->contentLayout()->addLayout(row);
    card->contentLayout()->addWidget(colorBindings_.bind(
        new WrappingLabel(QStringLiteral("Monitoring also pauses automatically while your computer "
                                         "sleeps."),
                          SystemFont::font(12), Qt::gray),
        &SettingsColors::secondary));
    return card;
}

SettingsCard* SettingsGeneralPage::makeLoginCard() {
    loginSwitch_ = new SwitchToggle(QStringLiteral("Launch at login"));
    connect(loginSwitch_, &QAbstractButton::clicked, this,
            &SettingsGeneralPage::launchAtLoginSwitched);

    auto* card = new SettingsCard(Qt::transparent, Qt::transparent);
    cards_.push_back(card);
    card->contentLayout()->addLayout(
        switchRow(loginSwitch_, QStringLiteral("Launch at login"),
                  QStringLiteral("Start Pelmor automatically when you log in.")));
    card->contentLayout()->addWidget(makeApprovalRow());
    return card;
}

QWidget* SettingsGeneralPage::makeApprovalRow() {
    approvalRow_ = new QWidget;
    approvalSymbol_ = new SymbolView(QStringLiteral("exclamationmark.triangle.fill"), 11, Qt::red);
    openSettings_ = new SettingsLinkButton(QStringLiteral("Open Settings"), SystemFont::font(11));
    colorBindings_.bind(openSettings_, &SettingsColors::accent);
    connect(openSettings_, &QAbstractButton::clicked, this,
            &SettingsGeneralPage::openSystemSettingsPressed);

    auto* row = new QHBoxLayout(approvalRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(approvalSymbol_, 0, Qt::AlignVCenter);
    row->addWidget(
        colorBindings_.bind(new OneLineLabel(QStringLiteral("Requires approval in System Settings"),
                                             SystemFont::font(11), Qt::gray),
                            &SettingsColors::secondary));
    row->addWidget(openSettings_, 0, Qt::AlignVCenter);
    row->addStretch(1);
    approvalRow_->setVisible(false);
    return approvalRow_;
}

void SettingsGeneralPage::setContent(const SettingsGeneralPageContent& content) {
    batterySwitch_->setChecked(content.isBatteryFriendlyOn);
    badgeText_->setText(content.batteryModeBadge);
    loginSwitch_->setChecked(content.isLaunchAtLoginOn);
    approvalRow_->setVisible(content.showsApprovalRow);
}

void SettingsGeneralPage::setColors(const SettingsColors& colors) {
    colorBindings_.apply(colors);
    for (SettingsCard* card : cards_) {
        card->setColors(colors.cardFill(), colors.cardStroke());
    }
    for (SwitchToggle* toggle : switches_) {
        toggle->setTint(colors.accent);
        toggle->setOffTint(colors.switchOffTrack());
    }
    badge_->setFill(colors.badgeFill());
    approvalSymbol_->setColor(colors.orange);
}
