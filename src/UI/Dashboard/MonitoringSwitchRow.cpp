#include "UI/Dashboard/MonitoringSwitchRow.h"

#include "UI/Ground/Capsule.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SpringFadeIn.h"
#include "UI/Ground/SwitchToggle.h"

#include <QHBoxLayout>

MonitoringSwitchRow::MonitoringSwitchRow(FlagBinding binding, QWidget* parent)
    : QWidget(parent), binding_(std::move(binding)),
      toggle_(new SwitchToggle(QStringLiteral("Enabled"))),
      capsuleLabel_(
          new OneLineLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText())),
      capsuleFade_(new SpringFadeIn(this)) {
    toggle_->setTransitionSpring(Springs::stateChange);
    connect(toggle_, &QAbstractButton::clicked, this, [this](bool wanted) {
        binding_.set(wanted);
        toggle_->setChecked(binding_.get());
    });
    auto* capsule = new Capsule(PopoverTheme::capsuleSurface(), QMargins(8, 3, 8, 3));
    capsule->contentLayout()->addWidget(capsuleLabel_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(8);
    layout->addWidget(toggle_, 0, Qt::AlignVCenter);
    layout->addWidget(new OneLineLabel(QStringLiteral("Enabled"), PopoverTheme::bodyFont(),
                                       PopoverTheme::primaryText()),
                      0, Qt::AlignVCenter);
    layout->addWidget(capsule, 0, Qt::AlignVCenter);
    layout->addStretch(1);
}

void MonitoringSwitchRow::setState(bool isMonitoringEnabled, const QString& capsuleText) {
    toggle_->setChecked(isMonitoringEnabled);
    if (capsuleText == capsuleLabel_->text()) {
        return;
    }
    const bool wasEmpty = capsuleLabel_->text().isEmpty();
    capsuleLabel_->setText(capsuleText);
    if (!wasEmpty && isVisible()) {
        capsuleFade_->start({capsuleLabel_}, Springs::stateChange);
    }
}

bool MonitoringSwitchRow::isCapsuleFading() const {
    return capsuleFade_->isRunning();
}

QString MonitoringSwitchRow::capsuleText() const {
    return capsuleLabel_->text();
}
