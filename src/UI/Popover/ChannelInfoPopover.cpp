#include "UI/Popover/ChannelInfoPopover.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>
#include <QPainter>

namespace {

constexpr int padding = 8;
constexpr int gapBelowAnchor = 4;

} // namespace

ChannelInfoPopover::ChannelInfoPopover(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      label_(new OneLineLabel(QString(), SystemFont::caption(), PopoverTheme::primaryText())) {
    setAttribute(Qt::WA_NoMouseReplay);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(label_);
}

QString ChannelInfoPopover::text() const {
    return label_->text();
}

void ChannelInfoPopover::setText(const QString& text) {
    if (text == label_->text()) {
        return;
    }
    label_->setText(text);
    adjustSize();
}

void ChannelInfoPopover::presentBelow(const QWidget* anchor) {
    adjustSize();
    const QPoint anchorBottomCentre =
        anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height() + gapBelowAnchor));
    move(anchorBottomCentre.x() - width() / 2, anchorBottomCentre.y());
    show();
}

void ChannelInfoPopover::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit dismissed();
}

void ChannelInfoPopover::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), PopoverTheme::panelTop());
    painter.setPen(PopoverTheme::panelBorder());
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
