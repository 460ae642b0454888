#include "UI/Settings/SettingsBorderedButton.h"

#include "UI/Ground/SystemFont.h"

SettingsBorderedButton::SettingsBorderedButton(const QString& title, QWidget* parent)
    : QPushButton(title, parent) {
    setFont(SystemFont::font(13));
    setAccessibleName(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SettingsBorderedButton::setProminentColor(const QColor& accent) {
    QPalette prominent = palette();
    prominent.setColor(QPalette::Button, accent);
    prominent.setColor(QPalette::ButtonText, Qt::white);
    setPalette(prominent);
}

QSize SettingsBorderedButton::sizeHint() const {
    const QSize styled = QPushButton::sizeHint();
    return {styled.width() + 2 * horizontalPadding, std::max(styled.height(), minimumHeight)};
}
