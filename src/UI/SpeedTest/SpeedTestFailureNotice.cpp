#include "UI/SpeedTest/SpeedTestFailureNotice.h"

#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QHBoxLayout>

SpeedTestFailureNotice::SpeedTestFailureNotice(QWidget* parent)
    : QWidget(parent), message_(new OneLineLabel({}, SpeedTestFonts::font(12, QFont::Medium),
                                                 SpeedTestTheme::primaryText())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addStretch(1);
    layout->addWidget(
        new SymbolView(QStringLiteral("exclamationmark.triangle.fill"), 13, NamedColors::red), 0,
        Qt::AlignVCenter);
    layout->addWidget(message_, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    hide();
}

void SpeedTestFailureNotice::setMessage(const std::optional<QString>& message) {
    message_->setText(message.value_or(QString()));
    setVisible(message.has_value());
}
