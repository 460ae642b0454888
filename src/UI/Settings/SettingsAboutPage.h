#pragma once

#include "UI/Settings/SettingsAboutPageContent.h"
#include "UI/Settings/SettingsColorBindings.h"

#include <vector>

#include <QWidget>

class CheckForUpdatesButton;
class SettingsCard;
class SettingsKeyValueRow;
class SettingsUpdateCard;

// The About page of the settings window: the build card, the card of a newer
// build while one is known, and the check row. It shows what it is given and
// reports the user's presses; it checks nothing itself.
class SettingsAboutPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsAboutPage(QWidget* parent = nullptr);

    void setContent(const SettingsAboutPageContent& content);
    void setColors(const SettingsColors& colors);

    const std::vector<SettingsKeyValueRow*>& buildRows() const { return buildRows_; }
    SettingsUpdateCard* updateCard() const { return updateCard_; }
    CheckForUpdatesButton* checkButton() const { return checkButton_; }

signals:
    void checkForUpdatesPressed();
    void downloadUpdatePressed();

private:
    SettingsCard* makeBuildCard();
    QLayout* makeCheckRow();

    SettingsColorBindings colorBindings_;
    SettingsCard* buildCard_ = nullptr;
    std::vector<SettingsKeyValueRow*> buildRows_;
    SettingsUpdateCard* updateCard_ = nullptr;
    CheckForUpdatesButton* checkButton_ = nullptr;
};
