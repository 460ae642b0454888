#include "UI/Popover/SettingsOverlayCard.h"

#include "Core/AppBuildMetadataDisplayInfo.h"
#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/Async/TaskHandle.h"
#include "UI/Ground/Capsule.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/MinimumGap.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SectionLabel.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/CardSurface.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/SectionDivider.h"
#include "UI/Popover/SettingsOverlayCardModel.h"
#include "UI/Popover/SettingsOverlayKeyValueRow.h"
#include "UI/Popover/SettingsOverlayTabButton.h"
#include "UI/Popover/UpdateAvailableCard.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QFont semiboldBodyFont() {
    QFont font = PopoverTheme::bodyFont();
    font.setWeight(QFont::DemiBold);
    return font;
}

// A switch's title above its one-line explanation, 1 pt apart.
QVBoxLayout* switchTitles(const QString& title, const QString& subtitle) {
    auto* titles = new QVBoxLayout;
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(1);
    titles->addWidget(new OneLineLabel(title, semiboldBodyFont(), PopoverTheme::primaryText()));
    titles->addWidget(
        new WrappingLabel(subtitle, PopoverTheme::microFont(), PopoverTheme::secondaryText()));
    return titles;
}

// A switch's titles take the width left, at least 8 pt short of what
// follows them, so that they wrap only when they must.
void addSwitchTitles(QHBoxLayout* row, const QString& title, const QString& subtitle) {
    row->addLayout(switchTitles(title, subtitle), 1);
    addMinimumGap(*row, 8);
}

QVBoxLayout* column(QWidget* owner, int spacing) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

SettingsOverlayCard::Environment SettingsOverlayCard::Environment::production() {
    return {[] { return LaunchAtLoginController::create(); },
            [] { return BundleInfo::mainBundle(); }};
}

SettingsOverlayCard::SettingsOverlayCard(FlagBinding isBatteryFriendly,
                                         std::shared_ptr<AppUpdateController> appUpdateController,
                                         std::function<void()> onClose, Environment environment,
                                         QWidget* parent)
    : QWidget(parent), isBatteryFriendly_(std::move(isBatteryFriendly)),
      appUpdateController_(std::move(appUpdateController)), onClose_(std::move(onClose)),
      launchAtLoginController_(environment.makeLaunchAtLoginController()) {
    header_ = new OverlayCardHeader(QStringLiteral("Settings"), QStringLiteral("App preferences"),
                                    QStringLiteral("Back to Main"), [this] {
                                        if (onClose_) {
                                            onClose_();
                                        }
                                    });
    generalTab_ = makeGeneralTab();
    aboutTab_ = makeAboutTab(environment.bundle());

    auto* tabs = new QVBoxLayout;
    tabs->setContentsMargins(0, 0, 0, 0);
    tabs->setSpacing(10);
    tabs->addWidget(makeTabBar());
    tabs->addWidget(generalTab_);
    tabs->addWidget(aboutTab_);

    QVBoxLayout* layout = column(this, 12);
    layout->addWidget(header_);
    layout->addLayout(tabs);
    layout->addStretch(1);

    setSelectedTab(SettingsOverlayTab::general);
    refreshBinding();
    observeControllers();
}

SettingsOverlayCard::~SettingsOverlayCard() = default;

QWidget* SettingsOverlayCard::makeTabBar() {
    auto* bar = new QWidget;
    AccessibleRole::set(*bar, QAccessible::PageTabList);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(14);
    for (std::size_t index = 0; index < tabButtons_.size(); ++index) {
        const SettingsOverlayTab tab = SettingsOverlayTab::allCases()[index];
        tabButtons_[index] = new SettingsOverlayTabButton(tab, tab == selectedTab_,
                                                          [this, tab] { setSelectedTab(tab); });
        buttons->addWidget(tabButtons_[index], 0, Qt::AlignVCenter);
    }
    buttons->addStretch(1);
    QVBoxLayout* layout = column(bar, 0);
    layout->addLayout(buttons);
    layout->addWidget(new SectionDivider);
    return bar;
}

QWidget* SettingsOverlayCard::makeGeneralTab() {
    auto* tab = new QWidget;
    QVBoxLayout* layout = column(tab, 8);
    layout->addWidget(new SectionLabel(QStringLiteral("General")));
    layout->addWidget(makeBatteryCard());
    layout->addWidget(makeLaunchAtLoginCard());
    return tab;
}

QWidget* SettingsOverlayCard::makeBatteryCard() {
    auto* card = new CardSurface(8);
    batterySwitch_ = new SwitchToggle(QStringLiteral("Battery friendly"));
    connect(batterySwitch_, &QAbstractButton::clicked, this, [this](bool wanted) {
        isBatteryFriendly_.set(wanted);
        refreshBinding();
    });
    modeBadgeLabel_ =
        new OneLineLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText());
    modeBadge_ = new Capsule(PopoverTheme::capsuleSurface(), QMargins(8, 3, 8, 3));
    modeBadge_->contentLayout()->addWidget(modeBadgeLabel_);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(batterySwitch_, 0, Qt::AlignVCenter);
    addSwitchTitles(row, QStringLiteral("Battery friendly"),
                    QStringLiteral("Fast while open, slower in background."));
    row->addWidget(modeBadge_, 0, Qt::AlignVCenter);

    card->contentLayout()->addLayout(row);
    card->contentLayout()->addWidget(new WrappingLabel(
        QStringLiteral("Monitoring also pauses automatically while your computer sleeps."),
        PopoverTheme::microFont(), PopoverTheme::secondaryText()));
    return card;
}

QWidget* SettingsOverlayCard::makeLaunchAtLoginCard() {
    auto* card = new CardSurface(8);
    launchSwitch_ = new SwitchToggle(QStringLiteral("Launch at login"));
    connect(launchSwitch_, &QAbstractButton::clicked, this,
            [this](bool wanted) { launchAtLoginBinding().set(wanted); });

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(launchSwitch_, 0, Qt::AlignVCenter);
    addSwitchTitles(row, QStringLiteral("Launch at login"),
                    QStringLiteral("Start Pelmor automatically when you log in."));

    errorLabel_ = new WrappingLabel(QString(), PopoverTheme::microFont(),
                                    withOpacity(NamedColors::red, 0.85));
    errorLabel_->hide();

    card->contentLayout()->addLayout(row);
    card->contentLayout()->addWidget(makeApprovalRow());
    card->contentLayout()->addWidget(errorLabel_);
    return card;
}

QWidget* SettingsOverlayCard::makeApprovalRow() {
    approvalRow_ = new QWidget;
    approvalOpen_ = new PopoverPushButton(
        QStringLiteral("Open"), PopoverPushButton::Style::link, PopoverTheme::microFont(),
        [this] { launchAtLoginController_->openSystemSettings(); });
    auto* layout = new QHBoxLayout(approvalRow_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(
        new SymbolView(QStringLiteral("exclamationmark.triangle.fill"), 10, NamedColors::orange), 0,
        Qt::AlignVCenter);
    layout->addWidget(new OneLineLabel(QStringLiteral("Approval needed in System Settings."),
                                       PopoverTheme::microFont(), PopoverTheme::secondaryText()),
                      0, Qt::AlignVCenter);
    layout->addWidget(approvalOpen_, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    approvalRow_->hide();
    return approvalRow_;
}

QWidget* SettingsOverlayCard::makeAboutTab(const BundleInfo& bundle) {
    const AppBuildMetadataDisplayInfo buildMetadata =
        AppBuildMetadataDisplayInfo::fromBundle(bundle);
    auto* buildCard = new CardSurface(9);
    buildRows_ = {
        new SettingsOverlayKeyValueRow(QStringLiteral("Version"), buildMetadata.version),
        new SettingsOverlayKeyValueRow(QStringLiteral("Build ID"), buildMetadata.buildID),
        new SettingsOverlayKeyValueRow(QStringLiteral("Release Date"), buildMetadata.releaseDate),
    };
    for (SettingsOverlayKeyValueRow* row : buildRows_) {
        buildCard->contentLayout()->addWidget(row);
    }
    updateCard_ = new UpdateAvailableCard(
        AvailableUpdate{}, [this] { appUpdateController_->openDownloadPage(std::nullopt); });
    updateCard_->hide();

    auto* tab = new QWidget;
    QVBoxLayout* layout = column(tab, 8);
    layout->addWidget(new SectionLabel(QStringLiteral("About")));
    layout->addWidget(buildCard);
    layout->addWidget(updateCard_);
    layout->addWidget(makeAboutFooter());
    return tab;
}

QWidget* SettingsOverlayCard::makeAboutFooter() {
    updateButton_ = new PopoverPushButton(QStringLiteral("Check for Updates"),
                                          PopoverPushButton::Style::bordered,
                                          PopoverTheme::microFont(), [this] { checkForUpdate(); });
    auto* footer = new QWidget;
    auto* layout = new QHBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(
        new WrappingLabel(
            QStringLiteral(
                "Live Wi-Fi diagnostics with signal, latency, channel and speed insights."),
            PopoverTheme::microFont(), PopoverTheme::secondaryText()),
        1, Qt::AlignTop);
    addMinimumGap(*layout, 8);
    layout->addWidget(updateButton_, 0, Qt::AlignTop);
    return footer;
}

void SettingsOverlayCard::observeControllers() {
    cancellables_.insert(launchAtLoginController_->isEnabled().subscribe(
        [this](bool enabled) { launchSwitch_->setChecked(enabled); }));
    cancellables_.insert(launchAtLoginController_->requiresApproval().subscribe(
        [this](bool required) { approvalRow_->setVisible(required); }));
    cancellables_.insert(appUpdateController_->availableUpdate().subscribe(
        [this](const std::optional<AvailableUpdate>& update) { showAvailableUpdate(update); }));
}

void SettingsOverlayCard::setSelectedTab(SettingsOverlayTab tab) {
    selectedTab_ = tab;
    for (SettingsOverlayTabButton* button : tabButtons_) {
        button->setSelected(button->tab() == tab);
    }
    generalTab_->setVisible(tab == SettingsOverlayTab::general);
    aboutTab_->setVisible(tab == SettingsOverlayTab::about);
}

void SettingsOverlayCard::refreshBinding() {
    const bool isBatteryFriendly = isBatteryFriendly_.get();
    batterySwitch_->setChecked(isBatteryFriendly);
    modeBadgeLabel_->setText(SettingsOverlayCardModel::modeBadgeText(isBatteryFriendly));
}

QString SettingsOverlayCard::modeBadgeText() const {
    return modeBadgeLabel_->text();
}

FlagBinding SettingsOverlayCard::launchAtLoginBinding() {
    return {[this] { return launchAtLoginController_->isEnabled().value(); },
            [this](bool wanted) {
                const std::optional<LaunchAtLoginError> failure =
                    launchAtLoginController_->setEnabled(wanted);
                showLaunchAtLoginError(failure ? std::optional(failure->errorDescription())
                                               : std::nullopt);
                // The login item decides: after a refusal the switch shows
                // the state it really has, not the one asked for.
                launchSwitch_->setChecked(launchAtLoginController_->isEnabled().value());
            }};
}

void SettingsOverlayCard::showLaunchAtLoginError(std::optional<QString> error) {
    launchAtLoginError_ = std::move(error);
    errorLabel_->setText(launchAtLoginError_.value_or(QString()));
    errorLabel_->setVisible(launchAtLoginError_.has_value());
}

void SettingsOverlayCard::showAvailableUpdate(const std::optional<AvailableUpdate>& update) {
    if (update) {
        updateCard_->setUpdate(*update);
    }
    updateCard_->setVisible(update.has_value());
}

void SettingsOverlayCard::checkForUpdate() {
    if (isCheckingForUpdate_) {
        return;
    }
    isCheckingForUpdate_ = true;
    updateButton_->setBusy(true);
    updateButton_->setEnabled(false);
    // The check runs to its end even when the card is gone by then.
    Async::spawn([card = QPointer<SettingsOverlayCard>(this),
                  controller = appUpdateController_]() -> Async::Task<void> {
        co_await controller->checkForUpdateManually();
        if (card) {
            card->finishUpdateCheck();
        }
    });
}

void SettingsOverlayCard::finishUpdateCheck() {
    isCheckingForUpdate_ = false;
    updateButton_->setBusy(false);
    updateButton_->setEnabled(true);
}

// The login item may have been changed outside the application.
bool SettingsOverlayCard::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        launchAtLoginController_->refreshStatus();
    }
    return QWidget::event(event);
}

void SettingsOverlayCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        launchAtLoginController_->refreshStatus();
    }
}
