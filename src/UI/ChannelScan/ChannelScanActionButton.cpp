#include "UI/ChannelScan/ChannelScanActionButton.h"

#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SystemFont.h"

ChannelScanActionButton::ChannelScanActionButton(const QString& title, QWidget* parent)
    : WindowBorderedButton(title, parent) {
    setTitleFont(SystemFont::font(12, QFont::DemiBold));
    setTextColor(ChannelScanTheme::primaryText());
    setFillColor(withOpacity(NamedColors::white, 0.08));
    setBorderColor(ChannelScanTheme::panelBorder());
    setCornerRadius(8);
    setPadding(12, 7);
}
