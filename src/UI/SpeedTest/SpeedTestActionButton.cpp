#include "UI/SpeedTest/SpeedTestActionButton.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/SpeedTest/SpeedTestFonts.h"
#include "UI/SpeedTest/SpeedTestTheme.h"

namespace SpeedTestActionButton {

WindowBorderedButton* make(std::function<void()> onClick) {
    auto* button = new WindowBorderedButton(QStringLiteral("Run Test"));
    button->setTitleFont(SpeedTestFonts::font(12, QFont::DemiBold));
    button->setTextColor(SpeedTestTheme::primaryText());
    button->setFillColor(withOpacity(NamedColors::white, 0.08));
    button->setBorder(SpeedTestTheme::panelBorder(), 1);
    button->setCornerRadius(8);
    button->setPadding(12, 7);
    QObject::connect(button, &WindowBorderedButton::clicked, button,
                     [onClick = std::move(onClick)] {
                         if (onClick) {
                             onClick();
                         }
                     });
    return button;
}

} // namespace SpeedTestActionButton
