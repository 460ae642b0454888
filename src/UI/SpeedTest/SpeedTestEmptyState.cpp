#include "UI/SpeedTest/SpeedTestEmptyState.h"

#include "UI/Ground/WrappingLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QVBoxLayout>

namespace {

WrappingLabel* centred(const QString& text, const QFont& font, const QColor& color) {
    auto* label = new WrappingLabel(text, font, color);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

SpeedTestEmptyState::SpeedTestEmptyState(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(centred(QStringLiteral("No speed test results yet"),
                              SpeedTestFonts::font(14, QFont::DemiBold),
                              SpeedTestTheme::primaryText()));
    layout->addWidget(
        centred(QStringLiteral("Run a test to measure download, upload, and latency under load."),
                SpeedTestFonts::font(12, QFont::Medium), SpeedTestTheme::secondaryText()));
}
