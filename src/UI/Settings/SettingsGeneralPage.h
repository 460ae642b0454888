#pragma once

#include "UI/Settings/SettingsColorBindings.h"
#include "UI/Settings/SettingsGeneralPageContent.h"

#include <QWidget>

class Capsule;
class OneLineLabel;
class SettingsCard;
class SettingsLinkButton;
class SwitchToggle;
class SymbolView;

// The General page of the settings window: the battery-friendly card with its
// mode badge and the login-item card with its approval row. It shows what it
// is given and reports the user's actions; it changes nothing itself.
class SettingsGeneralPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsGeneralPage(QWidget* parent = nullptr);

    void setContent(const SettingsGeneralPageContent& content);
    void setColors(const SettingsColors& colors);

    SwitchToggle* batteryFriendlySwitch() const { return batterySwitch_; }
    OneLineLabel* batteryModeBadge() const { return badgeText_; }
    SwitchToggle* launchAtLoginSwitch() const { return loginSwitch_; }
    QWidget* approvalRow() const { return approvalRow_; }
    SettingsLinkButton* openSettingsButton() const { return openSettings_; }

signals:
    // The user flipped a switch to `on`.
    void batteryFriendlySwitched(bool on);
    void launchAtLoginSwitched(bool on);
    void openSystemSettingsPressed();

private:
    SettingsCard* makeBatteryCard();
    SettingsCard* makeLoginCard();
    QWidget* makeApprovalRow();
    // A switch beside its title and description.
    QLayout* switchRow(SwitchToggle* toggle, const QString& title, const QString& description);

    SettingsColorBindings colorBindings_;
    std::vector<SettingsCard*> cards_;
    std::vector<SwitchToggle*> switches_;
    SwitchToggle* batterySwitch_ = nullptr;
    Capsule* badge_ = nullptr;
    OneLineLabel* badgeText_ = nullptr;
    SwitchToggle* loginSwitch_ = nullptr;
    QWidget* approvalRow_ = nullptr;
    SymbolView* approvalSymbol_ = nullptr;
    SettingsLinkButton* openSettings_ = nullptr;
};
