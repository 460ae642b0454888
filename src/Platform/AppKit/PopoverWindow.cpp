#include "Platform/AppKit/PopoverWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int screenMargin = 8;
} // namespace

PopoverWindow::PopoverWindow() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
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
    QPoint origin;
    if (anchor.isEmpty()) {
        origin = QPoint(screenArea.right() - size.width() - screenMargin,
                        screenArea.top() + screenMargin);
    } else {
        origin = QPoint(anchor.x() + (anchor.width() - size.width()) / 2, anchor.bottom() + 1);
        // A tray at the bottom of the screen: open above the icon instead.
        if (origin.y() + size.height() > screenArea.bottom()) {
            origin.setY(anchor.top() - size.height());
        }
    }
    const int x = std::clamp(origin.x(), screenArea.left(),
                             std::max(screenArea.left(), screenArea.right() - size.width() + 1));
    const int y = std::clamp(origin.y(), screenArea.top(),
                             std::max(screenArea.top(), screenArea.bottom() - size.height() + 1));
    return {x, y};
}

void PopoverWindow::showBelow(QRect anchor) {
    QScreen* screen = anchor.isEmpty() ? QGuiApplication::primaryScreen()
                                       : QGuiApplication::screenAt(anchor.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    move(placement(anchor, size(), area));
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
