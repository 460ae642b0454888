#pragma once

#include "UI/Settings/SettingsBorderedButton.h"

class Spinner;

// The About page's check button: "Check for Updates", or a small progress
// indicator (16 by 16 pt) in place of the title while a check runs. The
// button takes the size of what it shows.
class CheckForUpdatesButton : public SettingsBorderedButton {
    Q_OBJECT
public:
    static constexpr int progressIndicatorSize = 16;

    explicit CheckForUpdatesButton(QWidget* parent = nullptr);

    bool showsProgress() const { return showsProgress_; }
    void setShowsProgress(bool showsProgress);

    Spinner* progressIndicator() const { return spinner_; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeSpinner();

    bool showsProgress_ = false;
    Spinner* spinner_;
};
