#include "UI/Settings/SettingsBorderedButton.h"

#include "UI/Ground/FocusRing.h"
#include "UI/Ground/SystemFont.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr double focusRingCornerRadius = 4;

} // namespace

SettingsBorderedButton::SettingsBorderedButton(const QString& title, QWidget* parent)
    : QPushButton(title, parent),
      focusRing_(new FocusRing(this, palette().color(QPalette::Active, QPalette::Highlight))) {
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

void SettingsBorderedButton::paintEvent(QPaintEvent* /*event*/) {
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_PushButton, option);
    focusRing_->setShape(QRectF(rect()), focusRingCornerRadius);
}

void SettingsBorderedButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        focusRing_->setColor(palette().color(QPalette::Active, QPalette::Highlight));
    }
}
