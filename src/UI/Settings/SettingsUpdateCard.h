#pragma once

#include "UI/Settings/SettingsAboutPageContent.h"
#include "UI/Settings/SettingsCard.h"

class LineLimitedLabel;
class OneLineLabel;
class SettingsBorderedButton;
class SymbolView;
struct SettingsColors;

// The About page's card for a newer build: its title with a download symbol,
// the release notes cut after three lines (when there are any), and the
// prominent "Download Update" button.
class SettingsUpdateCard : public SettingsCard {
    Q_OBJECT
public:
    static constexpr int releaseNotesLineLimit = 3;

    explicit SettingsUpdateCard(QWidget* parent = nullptr);

    void setContent(const SettingsAboutPageContent::UpdateCard& content);
    void setColors(const SettingsColors& colors);

    OneLineLabel* titleLabel() const { return title_; }
    LineLimitedLabel* releaseNotesLabel() const { return releaseNotes_; }
    SettingsBorderedButton* downloadButton() const { return download_; }

signals:
    void downloadPressed();

private:
    SymbolView* symbol_;
    OneLineLabel* title_;
    LineLimitedLabel* releaseNotes_;
    SettingsBorderedButton* download_;
};
