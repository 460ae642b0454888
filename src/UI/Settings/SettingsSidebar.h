#pragma once

#include "UI/Settings/SettingsTab.h"

#include <vector>

#include <QWidget>

class OneLineLabel;
class SettingsTabButton;
struct SettingsColors;

// The settings window's left column, 200 pt wide: the title, the product name
// and one button per tab, the selected one highlighted.
class SettingsSidebar : public QWidget {
    Q_OBJECT
public:
    static constexpr int fixedWidth = 200;

    explicit SettingsSidebar(SettingsTab selectedTab, QWidget* parent = nullptr);

    void setSelectedTab(SettingsTab tab);
    void setColors(const SettingsColors& colors);

    // One button per tab, in tab order.
    const std::vector<SettingsTabButton*>& buttons() const { return buttons_; }
    SettingsTabButton* button(SettingsTab tab) const;

signals:
    // A tab's button was pressed, whether or not it was selected already.
    void tabPressed(SettingsTab tab);

private:
    OneLineLabel* title_;
    OneLineLabel* productName_;
    std::vector<SettingsTabButton*> buttons_;
};
