#include "UI/Settings/SettingsSidebar.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Settings/SettingsColors.h"
#include "UI/Settings/SettingsTabButton.h"

#include <QVBoxLayout>

SettingsSidebar::SettingsSidebar(SettingsTab selectedTab, QWidget* parent)
    : QWidget(parent), title_(new OneLineLabel(QStringLiteral("Settings"),
                                               SystemFont::font(21, QFont::DemiBold), Qt::black)),
      productName_(new OneLineLabel(QStringLiteral("pelmor"), SystemFont::font(12, QFont::Medium),
                                    Qt::gray)) {
    setFixedWidth(fixedWidth);

    auto* tabList = new QWidget;
    AccessibleRole::set(*tabList, QAccessible::PageTabList);
    auto* tabs = new QVBoxLayout(tabList);
    tabs->setContentsMargins(0, 4, 0, 0);
    tabs->setSpacing(6);
    for (const SettingsTab tab : SettingsTab::allCases()) {
        auto* button =
            new SettingsTabButton(settingsTabTitle(tab), settingsTabSymbolName(tab),
                                  tab == selectedTab, [this, tab] { emit tabPressed(tab); });
        buttons_.push_back(button);
        tabs->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(title_);
    layout->addWidget(productName_);
    layout->addWidget(tabList);
    layout->addStretch(1);
}

void SettingsSidebar::setSelectedTab(SettingsTab tab) {
    for (std::size_t index = 0; index < buttons_.size(); ++index) {
        buttons_[index]->setSelected(SettingsTab::allCases()[index] == tab);
    }
}

SettingsTabButton* SettingsSidebar::button(SettingsTab tab) const {
    return buttons_.at(static_cast<std::size_t>(static_cast<SettingsTab::Value>(tab)));
}

void SettingsSidebar::setColors(const SettingsColors& colors) {
    title_->setColor(colors.primary);
    productName_->setColor(colors.secondary);
    for (SettingsTabButton* button : buttons_) {
        button->setColors(colors.primary, colors.accent, colors.selectedTabFill());
    }
}
