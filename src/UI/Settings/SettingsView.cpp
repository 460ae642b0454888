#include "UI/Settings/SettingsView.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/Async/TaskHandle.h"
#include "UI/Ground/FocusKeeper.h"
#include "UI/Settings/LaunchAtLoginAlert.h"
#include "UI/Settings/SettingsAboutPage.h"
#include "UI/Settings/SettingsAboutPageContent.h"
#include "UI/Settings/SettingsColors.h"
#include "UI/Settings/SettingsGeneralPage.h"
#include "UI/Settings/SettingsGeneralPageContent.h"
#include "UI/Settings/SettingsSidebar.h"

#include <utility>

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

SettingsView::SettingsView(SettingsViewDependencies dependencies, QWidget* parent)
    : QWidget(parent), dependencies_(std::move(dependencies)),
      isBatteryFriendly_(dependencies_.settingsStore->batteryFriendly()),
      buildMetadata_(dependencies_.readBuildMetadata()),
      sidebar_(new SettingsSidebar(selectedTab_)), divider_(new QWidget),
      contentPane_(new QScrollArea), generalPage_(new SettingsGeneralPage),
      aboutPage_(new SettingsAboutPage), alert_(new LaunchAtLoginAlert(this)) {
    AccessibleRole::set(*this, QAccessible::Window);
    setMinimumSize(minimumWindowSize);
    new FocusKeeper(this);
    divider_->setFixedWidth(1);
    divider_->setAutoFillBackground(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sidebar_);
    layout->addWidget(divider_);
    layout->addWidget(makeContentPane(), 1);

    connect(sidebar_, &SettingsSidebar::tabPressed, this, &SettingsView::selectTab);
    connect(alert_, &QDialog::finished, this, &SettingsView::dismissLaunchAtLoginError);
    connectPages();
    applyColors();
    observeUpdates();
    observeBatteryFriendly();
    redraw();
}

SettingsView::~SettingsView() = default;

QWidget* SettingsView::makeContentPane() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(14);
    layout->addWidget(generalPage_);
    layout->addWidget(aboutPage_);
    layout->addStretch(1);
    aboutPage_->setVisible(false);

    contentPane_->setWidget(page);
    contentPane_->setWidgetResizable(true);
    contentPane_->setFrameShape(QFrame::NoFrame);
    contentPane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contentPane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The pane is no Tab stop: Space does nothing there. The focus keeper
    // scrolls the focused control into view.
    contentPane_->setFocusPolicy(Qt::NoFocus);
    // The window's background shows through the pane.
    contentPane_->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    return contentPane_;
}

void SettingsView::connectPages() {
    connect(generalPage_, &SettingsGeneralPage::batteryFriendlySwitched, this,
            &SettingsView::switchBatteryFriendly);
    connect(generalPage_, &SettingsGeneralPage::launchAtLoginSwitched, this,
            &SettingsView::switchLaunchAtLogin);
    connect(generalPage_, &SettingsGeneralPage::openSystemSettingsPressed, this,
            &SettingsView::openSystemSettings);
    connect(aboutPage_, &SettingsAboutPage::checkForUpdatesPressed, this,
            &SettingsView::checkForUpdate);
    connect(aboutPage_, &SettingsAboutPage::downloadUpdatePressed, this,
            &SettingsView::downloadUpdate);
}

void SettingsView::observeUpdates() {
    updateSubscriptions_.insert(dependencies_.appUpdateController->availableUpdate().subscribe(
        [this](const std::optional<AvailableUpdate>&) { redrawAbout(); }));
}

void SettingsView::observeBatteryFriendly() {
    if (dependencies_.observeBatteryFriendlyChanges) {
        preferenceSubscriptions_.insert(dependencies_.observeBatteryFriendlyChanges(
            [this] { scheduleBatteryFriendlyReread(); }));
    }
}

void SettingsView::scheduleBatteryFriendlyReread() {
    if (std::exchange(isBatteryFriendlyRereadScheduled_, true)) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            isBatteryFriendlyRereadScheduled_ = false;
            isBatteryFriendly_ = dependencies_.settingsStore->batteryFriendly();
            redrawGeneral();
        },
        Qt::QueuedConnection);
}

void SettingsView::ensureLaunchAtLoginController() {
    if (launchAtLoginController_) {
        return;
    }
    launchAtLoginController_ = dependencies_.makeLaunchAtLoginController();
    loginItemSubscriptions_.insert(
        launchAtLoginController_->isEnabled().subscribe([this](bool) { redrawGeneral(); }));
    loginItemSubscriptions_.insert(
        launchAtLoginController_->requiresApproval().subscribe([this](bool) { redrawGeneral(); }));
}

// The login item may have been changed outside the application.
bool SettingsView::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && launchAtLoginController_) {
        launchAtLoginController_->refreshStatus();
    }
    return QWidget::event(event);
}

void SettingsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    ensureLaunchAtLoginController();
    if (selectedTab_ == SettingsTab::general) {
        generalPageAppeared();
    }
}

void SettingsView::generalPageAppeared() {
    isBatteryFriendly_ = dependencies_.settingsStore->batteryFriendly();
    redrawGeneral();
    if (launchAtLoginController_) {
        launchAtLoginController_->refreshStatus();
    }
}

void SettingsView::selectTab(SettingsTab tab) {
    if (tab == selectedTab_) {
        return;
    }
    selectedTab_ = tab;
    sidebar_->setSelectedTab(tab);
    generalPage_->setVisible(tab == SettingsTab::general);
    aboutPage_->setVisible(tab == SettingsTab::about);
    contentPane_->verticalScrollBar()->setValue(0);
    if (tab == SettingsTab::general && isVisible()) {
        generalPageAppeared();
    }
}

void SettingsView::switchBatteryFriendly(bool on) {
    // Only the stored preference is written here; the lifecycle controller
    // follows each write of it, so the running monitors take the new polling
    // intervals at once.
    dependencies_.settingsStore->setBatteryFriendly(on);
    isBatteryFriendly_ = dependencies_.settingsStore->batteryFriendly();
    redrawGeneral();
}

void SettingsView::switchLaunchAtLogin(bool on) {
    std::optional<LaunchAtLoginError> error;
    if (launchAtLoginController_) {
        error = launchAtLoginController_->setEnabled(on);
    }
    // The switch shows what the controller read back, whatever was asked.
    redrawGeneral();
    if (!error) {
        return;
    }
    launchAtLoginError_ = error->errorDescription();
    // On a later turn: the switch's handler returns before the alert is up.
    QMetaObject::invokeMethod(
        this, [this] { presentLaunchAtLoginError(); }, Qt::QueuedConnection);
}

void SettingsView::openSystemSettings() {
    if (launchAtLoginController_) {
        launchAtLoginController_->openSystemSettings();
    }
}

void SettingsView::presentLaunchAtLoginError() {
    if (launchAtLoginError_) {
        alert_->present(*launchAtLoginError_);
    }
}

void SettingsView::dismissLaunchAtLoginError() {
    launchAtLoginError_.reset();
}

void SettingsView::checkForUpdate() {
    if (isCheckingForUpdate_) {
        return;
    }
    isCheckingForUpdate_ = true;
    redrawAbout();
    // The check belongs to the shared controller: it completes and publishes
    // its result even when this view is gone by then.
    Async::spawn([controller = dependencies_.appUpdateController,
                  view = QPointer<SettingsView>(this)]() -> Async::Task<void> {
        co_await controller->checkForUpdateManually();
        if (view) {
            view->finishUpdateCheck();
        }
    });
}

void SettingsView::finishUpdateCheck() {
    isCheckingForUpdate_ = false;
    redrawAbout();
}

void SettingsView::downloadUpdate() {
    dependencies_.appUpdateController->openDownloadPage(std::nullopt);
}

void SettingsView::redraw() {
    redrawGeneral();
    redrawAbout();
}

void SettingsView::redrawGeneral() {
    const bool isEnabled =
        launchAtLoginController_ && launchAtLoginController_->isEnabled().value();
    const bool requiresApproval =
        launchAtLoginController_ && launchAtLoginController_->requiresApproval().value();
    generalPage_->setContent(
        SettingsGeneralPageContent::make(isBatteryFriendly_, isEnabled, requiresApproval));
}

void SettingsView::redrawAbout() {
    aboutPage_->setContent(SettingsAboutPageContent::make(
        buildMetadata_, dependencies_.appUpdateController->availableUpdate().value(),
        isCheckingForUpdate_));
}

void SettingsView::applyColors() {
    const SettingsColors colors = SettingsColors::from(palette());
    sidebar_->setColors(colors);
    generalPage_->setColors(colors);
    aboutPage_->setColors(colors);
    QPalette dividerPalette = divider_->palette();
    dividerPalette.setColor(QPalette::Window, colors.divider());
    divider_->setPalette(dividerPalette);
    update();
}

void SettingsView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyColors();
    }
}

void SettingsView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
}
