#include "UI/Popover/ChannelInfoPopover.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/AppKit/TaskbarSkipping.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SystemFont.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

constexpr int padding = 8;
constexpr int gapBelowAnchor = 4;

QRect globalRect(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

} // namespace

// A tooltip-kind window: drawn above the popover where it is placed, never
// activated, and without the pointer grab of a pop-up, which would swallow the
// press that closes it.
ChannelInfoPopover::ChannelInfoPopover(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      label_(new OneLineLabel(QString(), SystemFont::caption(), PopoverTheme::primaryText())) {
    AccessibleRole::set(*this, QAccessible::ToolTip);
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
    setAccessibleName(text);
    adjustSize();
}

void ChannelInfoPopover::presentBelow(const QWidget* anchor) {
    anchor_ = anchor;
    adjustSize();
    const QPoint anchorBottomCentre =
        anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height() + gapBelowAnchor));
    move(anchorBottomCentre.x() - width() / 2, anchorBottomCentre.y());
    anchorPlace_ = globalRect(*anchor);
    show();
    // Qt may make a tooltip-kind window's native window anew as it shows it.
    TaskbarSkipping::skipTaskbarAndPager(*this);
}

bool ChannelInfoPopover::isOnBubbleOrAnchor(QPoint globalPosition) const {
    if (frameGeometry().contains(globalPosition)) {
        return true;
    }
    return anchor_ && anchor_->isVisible() && globalRect(*anchor_).contains(globalPosition);
}

bool ChannelInfoPopover::isAnchorOrItsAncestor(const QObject* object) const {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && anchor_ && (widget == anchor_ || widget->isAncestorOf(anchor_));
}

bool ChannelInfoPopover::isAnchorWhereItWasPresented() const {
    return anchor_ && anchor_->isVisible() && globalRect(*anchor_) == anchorPlace_;
}

// Presses and keys anywhere in the application, and every change that may
// take the anchor away from under the bubble: its page hidden, content shown
// above it, a scroll, its window moved.
bool ChannelInfoPopover::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!isOnBubbleOrAnchor(static_cast<QMouseEvent*>(event)->globalPosition().toPoint())) {
            hide();
        }
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
        break;
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ParentChange:
        if (isAnchorOrItsAncestor(watched) && !isAnchorWhereItWasPresented()) {
            hide();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// The application is watched only while the bubble is up.
void ChannelInfoPopover::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void ChannelInfoPopover::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
    emit dismissed();
}

void ChannelInfoPopover::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), PopoverTheme::panelTop());
    painter.setPen(PopoverTheme::panelBorder());
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

// The content under the bubble, in its anchor's window, scrolls as if the
// bubble were not there; the scroll then takes the bubble away. A wheel event
// sent by the program goes to its receiver alone, so it is offered up the
// parents here as the window system's own is.
void ChannelInfoPopover::wheelEvent(QWheelEvent* event) {
    QWidget* window = anchor_ ? anchor_->window() : nullptr;
    if (window == nullptr) {
        QWidget::wheelEvent(event);
        return;
    }
    const QPointF global = event->globalPosition();
    QWidget* under = window->childAt(window->mapFromGlobal(global.toPoint()));
    for (QWidget* receiver = under != nullptr ? under : window; receiver != nullptr;
         receiver = receiver->parentWidget()) {
        QWheelEvent passed(receiver->mapFromGlobal(global), global, event->pixelDelta(),
                           event->angleDelta(), event->buttons(), event->modifiers(),
                           event->phase(), event->inverted(), event->source());
        QCoreApplication::sendEvent(receiver, &passed);
        if (passed.isAccepted() || receiver->isWindow() ||
            receiver->testAttribute(Qt::WA_NoMousePropagation)) {
            break;
        }
    }
    event->accept();
}
