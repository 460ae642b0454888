#include "UI/Settings/SettingsAboutPage.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/Spinner.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Settings/CheckForUpdatesButton.h"
#include "UI/Settings/SettingsCard.h"
#include "UI/Settings/SettingsKeyValueRow.h"
#include "UI/Settings/SettingsUpdateCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SettingsAboutPage::SettingsAboutPage(QWidget* parent)
    : QWidget(parent), updateCard_(new SettingsUpdateCard),
      checkButton_(new CheckForUpdatesButton) {
    connect(updateCard_, &SettingsUpdateCard::downloadPressed, this,
            &SettingsAboutPage::downloadUpdatePressed);
    connect(checkButton_, &QPushButton::clicked, this, &SettingsAboutPage::checkForUpdatesPressed);
    updateCard_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(colorBindings_.bind(
        new OneLineLabel(QStringLiteral("About"), SystemFont::font(20, QFont::DemiBold), Qt::black),
        &SettingsColors::primary));
    layout->addWidget(colorBindings_.bind(
        new WrappingLabel(
            QStringLiteral("Network diagnostics for quick, actionable Wi-Fi troubleshooting."),
            SystemFont::font(13), Qt::gray),
        &SettingsColors::secondary));
    layout->addWidget(makeBuildCard());
    layout->addWidget(updateCard_);
    layout->addLayout(makeCheckRow());
}

SettingsCard* SettingsAboutPage::makeBuildCard() {
    buildCard_ = new SettingsCard(Qt::transparent, Qt::transparent);
    for (const auto& row : SettingsAboutPageContent::buildRowsFor({})) {
        auto* view = new SettingsKeyValueRow(row.key, QString());
        buildRows_.push_back(view);
        buildCard_->contentLayout()->addWidget(view);
    }
    return buildCard_;
}

QLayout* SettingsAboutPage::makeCheckRow() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(colorBindings_.bind(
                       new WrappingLabel(QStringLiteral("Built to monitor signal quality, latency, "
                                                        "DNS health and channel congestion in one "
                                                        "place."),
                                         SystemFont::font(12), Qt::gray),
                       &SettingsColors::secondary),
                   1);
    row->addWidget(checkButton_, 0, Qt::AlignVCenter);
    return row;
}

void SettingsAboutPage::setContent(const SettingsAboutPageContent& content) {
    for (std::size_t index = 0; index < buildRows_.size() && index < content.buildRows.size();
         ++index) {
        buildRows_[index]->setValue(content.buildRows[index].value);
    }
    if (content.updateCard) {
        updateCard_->setContent(*content.updateCard);
    }
    updateCard_->setVisible(content.updateCard.has_value());
    checkButton_->setShowsProgress(content.showsCheckProgress);
    checkButton_->setEnabled(content.isCheckButtonEnabled);
}

void SettingsAboutPage::setColors(const SettingsColors& colors) {
    colorBindings_.apply(colors);
    buildCard_->setColors(colors.cardFill(), colors.cardStroke());
    for (SettingsKeyValueRow* row : buildRows_) {
        row->setColors(colors.primary, colors.secondary);
    }
    updateCard_->setColors(colors);
    checkButton_->progressIndicator()->setColor(colors.secondary);
}
