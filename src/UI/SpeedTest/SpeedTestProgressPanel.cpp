#include "UI/SpeedTest/SpeedTestProgressPanel.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/ProgressCapsule.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SpeedTestProgressPanel::SpeedTestProgressPanel(QWidget* parent)
    : QWidget(parent), status_(new OneLineLabel({}, SpeedTestFonts::font(12, QFont::Medium),
                                                SpeedTestTheme::secondaryText())),
      percent_(new OneLineLabel({}, SpeedTestFonts::font(12, QFont::DemiBold),
                                SpeedTestTheme::primaryText())),
      bar_(new ProgressCapsule(withOpacity(NamedColors::white, 0.12), SpeedTestTheme::accent())) {
    percent_->setMonospacedDigits(true);
    percent_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    line->addStretch(1);
    line->addWidget(status_);
    line->addWidget(percent_);
    line->addStretch(1);

    bar_->setMaximumWidth(maximumBarWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(8);
    layout->addLayout(line);
    // As wide as the panel, up to its maximum, centred.
    bar_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* barRow = new QHBoxLayout;
    barRow->addStretch(0);
    barRow->addWidget(bar_, 1);
    barRow->addStretch(0);
    layout->addLayout(barRow);
}

void SpeedTestProgressPanel::setContent(const QString& statusText, const QString& percentText,
                                        double progress) {
    status_->setText(statusText);
    percent_->setText(percentText);
    bar_->setFraction(progress);
}
