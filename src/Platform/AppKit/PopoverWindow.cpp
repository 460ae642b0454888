#include "Platform/AppKit/PopoverWindow.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/AppKit/DisplayServerCompositingChecker.h"
#include "Platform/AppKit/PopoverContentShaping.h"
#include "Platform/AppKit/TaskbarSkipping.h"

#include <utility>

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

PopoverWindow::PopoverWindow(std::shared_ptr<const CompositingChecking> compositing)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      compositing_(compositing ? std::move(compositing)
                               : std::make_shared<DisplayServerCompositingChecker>()) {
    // A window that reads as the application's own, having no title.
    AccessibleRole::set(*this, QAccessible::Window);
    setAccessibleName(QGuiApplication::applicationDisplayName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("PopoverWindow"));
    contentSize_ = size();
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

// A change of size while shown keeps the popover by its icon.
void PopoverWindow::setContentSize(QSize size) {
    contentSize_ = size;
    if (isVisible() && placement_) {
        applyPlacement();
    } else {
        setFixedSize(size);
    }
}

void PopoverWindow::applyPlacement() {
    const QRect frame = placement_->frame(contentSize_);
    setFixedSize(frame.size());
    move(frame.topLeft());
}

void PopoverWindow::setOnApplicationClick(std::function<void(QWindow*)> callback) {
    onApplicationClick_ = std::move(callback);
}

void PopoverWindow::showBelow(QRect anchor) {
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(anchor.isEmpty() ? pointer : anchor.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect geometry = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QRect area = screen != nullptr ? screen->availableGeometry() : geometry;
    placement_ = anchor.isEmpty() ? PopoverPlacement::atPointer(pointer, geometry, area)
                                  : PopoverPlacement::byIcon(anchor, contentSize_, geometry, area);
    applyPlacement();
    // A compositing manager may have started or stopped since the last time.
    applyShape();
    isOutOfTaskbarPending_ = true;
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
    // Kept out of the taskbar once the window manager has it in hand and
    // focused: one that maps the popover already out of it (openbox) may
    // pass the focus on from it.
    if (event->type() == QEvent::WindowActivate && std::exchange(isOutOfTaskbarPending_, false)) {
        TaskbarSkipping::skipTaskbarAndPager(*this);
    }
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
