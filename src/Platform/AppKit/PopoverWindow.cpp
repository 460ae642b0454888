#include "Platform/AppKit/PopoverWindow.h"

#include "Platform/AppKit/DisplayServerCompositingChecker.h"
#include "Platform/AppKit/PopoverContentShaping.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPolygon>
#include <QRegion>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// Between the pointer and the popover's near side, so the icon under the
// pointer stays clickable where the panel's own area is not reserved.
constexpr int pointerGap = 16;

// Panels are thinner than this: a click this close to the top or bottom was
// on a horizontal panel, even in a corner nearer to a side.
constexpr int panelReach = 64;

enum class ScreenEdge { top, bottom, left, right };

// The edge whose panel the click was on.
ScreenEdge clickedEdge(QPoint point, QRect screen) {
    const int toTop = point.y() - screen.top();
    const int toBottom = screen.bottom() - point.y();
    if (std::min(toTop, toBottom) <= panelReach) {
        return toTop <= toBottom ? ScreenEdge::top : ScreenEdge::bottom;
    }
    const int toLeft = point.x() - screen.left();
    const int toRight = screen.right() - point.x();
    if (std::min(toLeft, toRight) <= panelReach) {
        return toLeft <= toRight ? ScreenEdge::left : ScreenEdge::right;
    }
    const int distances[] = {toTop, toBottom, toLeft, toRight};
    return ScreenEdge(std::min_element(std::begin(distances), std::end(distances)) -
                      std::begin(distances));
}

QPoint keptInside(QPoint origin, QSize size, QRect area) {
    const int x =
        std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() - size.width() + 1));
    const int y =
        std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - size.height() + 1));
    return {x, y};
}
} // namespace

PopoverWindow::PopoverWindow(std::shared_ptr<const CompositingChecking> compositing)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      compositing_(compositing ? std::move(compositing)
                               : std::make_shared<DisplayServerCompositingChecker>()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("PopoverWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    qApp->installEventFilter(this);
}

PopoverWindow::~PopoverWindow() {
    qApp->removeEventFilter(this);
}

void PopoverWindow::setContent(QWidget* content) {
    if (content_ != nullptr) {
        layout()->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = content;
    layout()->addWidget(content);
}

void PopoverWindow::setContentSize(QSize size) {
    setFixedSize(size);
}

void PopoverWindow::setOnApplicationClick(std::function<void(QWindow*)> callback) {
    onApplicationClick_ = std::move(callback);
}

QPoint PopoverWindow::placement(QRect anchor, QSize size, QRect screenArea) {
    QPoint origin(anchor.x() + (anchor.width() - size.width()) / 2, anchor.bottom() + 1);
    // A tray at the bottom of the screen: open above the icon instead.
    if (origin.y() + size.height() > screenArea.bottom()) {
        origin.setY(anchor.top() - size.height());
    }
    return keptInside(origin, size, screenArea);
}

QPoint PopoverWindow::placementAtPointer(QPoint pointer, QSize size, QRect screenGeometry,
                                         QRect screenArea) {
    const int centredX = pointer.x() - size.width() / 2;
    const int centredY = pointer.y() - size.height() / 2;
    QPoint origin;
    switch (clickedEdge(pointer, screenGeometry)) {
    case ScreenEdge::top:
        origin = QPoint(centredX, pointer.y() + pointerGap);
        break;
    case ScreenEdge::bottom:
        origin = QPoint(centredX, pointer.y() - pointerGap - size.height());
        break;
    case ScreenEdge::left:
        origin = QPoint(pointer.x() + pointerGap, centredY);
        break;
    case ScreenEdge::right:
        origin = QPoint(pointer.x() - pointerGap - size.width(), centredY);
        break;
    }
    return keptInside(origin, size, screenArea);
}

void PopoverWindow::showBelow(QRect anchor) {
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(anchor.isEmpty() ? pointer : anchor.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect geometry = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QRect area = screen != nullptr ? screen->availableGeometry() : geometry;
    move(anchor.isEmpty() ? placementAtPointer(pointer, size(), geometry, area)
                          : placement(anchor, size(), area));
    // A compositing manager may have started or stopped since the last time.
    applyShape();
    show();
    raise();
    activateWindow();
}

void PopoverWindow::performClose() {
    if (isVisible()) {
        close();
    }
}

bool PopoverWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && isVisible() && onDeactivate_) {
        onDeactivate_();
    }
    return QWidget::event(event);
}

void PopoverWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (onClose_) {
        onClose_();
    }
}

// Pop-ups are windows of their own: hiding their parent leaves them up.
void PopoverWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    for (QWidget* popup : findChildren<QWidget*>()) {
        if (popup->isWindow() && popup->isVisible()) {
            popup->close();
        }
    }
}

void PopoverWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyShape();
}

void PopoverWindow::applyShape() {
    const auto* shaping = dynamic_cast<const PopoverContentShaping*>(content_.data());
    if (shaping == nullptr || compositing_->isCompositing()) {
        clearMask();
        // Cleared while hidden, the widget's mask stays on its window, which
        // puts it back on the next show.
        if (QWindow* window = windowHandle()) {
            window->setMask(QRegion());
        }
        return;
    }
    // The content fills the window, though it may not be laid out yet.
    const QPainterPath shape = shaping->visibleShape(QSizeF(size()));
    setMask(QRegion(shape.toFillPolygon().toPolygon(), Qt::WindingFill));
}

// Reached by every key that no control inside took.
void PopoverWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        performClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PopoverWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && onApplicationClick_ && isVisible()) {
        if (auto* window = qobject_cast<QWindow*>(watched)) {
            onApplicationClick_(window);
        } else if (auto* widget = qobject_cast<QWidget*>(watched)) {
            onApplicationClick_(widget->window()->windowHandle());
        }
    }
    return QWidget::eventFilter(watched, event);
}
