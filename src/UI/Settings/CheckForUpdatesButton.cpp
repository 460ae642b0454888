#include "UI/Settings/CheckForUpdatesButton.h"

#include "UI/Ground/Spinner.h"
#include "UI/Settings/SettingsAboutPageContent.h"

CheckForUpdatesButton::CheckForUpdatesButton(QWidget* parent)
    : SettingsBorderedButton(SettingsAboutPageContent::checkButtonTitle, parent),
      spinner_(new Spinner(progressIndicatorSize, Qt::gray, this)) {
    spinner_->setFixedSize(progressIndicatorSize, progressIndicatorSize);
    spinner_->hide();
}

void CheckForUpdatesButton::setShowsProgress(bool showsProgress) {
    if (showsProgress == showsProgress_) {
        return;
    }
    showsProgress_ = showsProgress;
    setText(showsProgress ? QString() : SettingsAboutPageContent::checkButtonTitle);
    spinner_->setVisible(showsProgress);
    updateGeometry();
    placeSpinner();
}

QSize CheckForUpdatesButton::sizeHint() const {
    const QSize titled = SettingsBorderedButton::sizeHint();
    if (!showsProgress_) {
        return titled;
    }
    // The indicator with the same room around it as a title has beside it.
    return {progressIndicatorSize + 2 * (horizontalPadding + 4), titled.height()};
}

void CheckForUpdatesButton::resizeEvent(QResizeEvent* event) {
    SettingsBorderedButton::resizeEvent(event);
    placeSpinner();
}

void CheckForUpdatesButton::placeSpinner() {
    spinner_->move((width() - progressIndicatorSize) / 2, (height() - progressIndicatorSize) / 2);
}
