#include "UI/SpeedTest/SpeedTestResultPanel.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

#include <QVBoxLayout>

SpeedTestResultPanel::SpeedTestResultPanel(const QString& title, QWidget* parent)
    : SpeedTestCardSurface(12, SpeedTestTheme::panelBackground(), SpeedTestTheme::panelBorder(),
                           QMargins(12, 12, 12, 12), 10, parent),
      title_(new OneLineLabel(title, SpeedTestFonts::panelTitle(), SpeedTestTheme::mutedText())) {
    contentLayout()->addWidget(title_);
}
