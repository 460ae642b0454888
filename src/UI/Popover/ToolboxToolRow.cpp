#include "UI/Popover/ToolboxToolRow.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/MinimumGap.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/WrappingLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int outerMargin = 1;
constexpr double cornerRadius = 9;
constexpr int toolSymbolSize = 13;
constexpr int iconFrameWidth = 18;
constexpr int chevronSize = 11;
constexpr int minimumGap = 8;

QFont titleFont() {
    QFont font = PopoverTheme::bodyFont();
    font.setWeight(QFont::DemiBold);
    return font;
}

QPainterPath surfacePath(const QRectF& surface) {
    QPainterPath path;
    path.addRoundedRect(surface, cornerRadius, cornerRadius);
    return path;
}

// Children only draw: every click lands on the row itself.
template <typename Widget> Widget* passive(Widget* widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return widget;
}

} // namespace

ToolboxToolRow::ToolboxToolRow(ToolboxTool tool, QWidget* parent)
    : QAbstractButton(parent), tool_(std::move(tool)), focusRing_(new FocusRing(this)) {
    setText(tool_.title);
    setAccessibleName(tool_.title);
    setAccessibleDescription(tool_.subtitle);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    auto* icon =
        passive(new SymbolView(tool_.symbolName, toolSymbolSize, PopoverTheme::secondaryText()));
    icon->setFixedWidth(iconFrameWidth);

    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    texts->addWidget(
        passive(new OneLineLabel(tool_.title, titleFont(), PopoverTheme::primaryText())));
    texts->addWidget(passive(new WrappingLabel(tool_.subtitle, PopoverTheme::microFont(),
                                               PopoverTheme::secondaryText())));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8 + outerMargin, 10, 8 + outerMargin);
    layout->setSpacing(10);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addLayout(texts, 1);
    addMinimumGap(*layout, minimumGap);
    layout->addWidget(passive(new SymbolView(QStringLiteral("chevron.right"), chevronSize,
                                             PopoverTheme::mutedText())),
                      0, Qt::AlignVCenter);

    connect(this, &QAbstractButton::clicked, this, [this] {
        if (tool_.action) {
            tool_.action();
        }
    });
}

QRectF ToolboxToolRow::surfaceRect() const {
    return QRectF(rect()).adjusted(0, outerMargin, 0, -outerMargin);
}

QSize ToolboxToolRow::sizeHint() const {
    return layout()->sizeHint();
}
QSize ToolboxToolRow::minimumSizeHint() const {
    return layout()->minimumSize();
}
int ToolboxToolRow::heightForWidth(int width) const {
    return layout()->totalHeightForWidth(width);
}

bool ToolboxToolRow::hitButton(const QPoint& position) const {
    return surfacePath(surfaceRect()).contains(QPointF(position));
}

void ToolboxToolRow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double opacity = isDown() ? 0.1 : 0.06;
    painter.fillPath(surfacePath(surfaceRect()), withOpacity(NamedColors::white, opacity));
    focusRing_->setShape(surfaceRect(), cornerRadius);
}
