#include "Platform/AppKit/FixedSizeKeeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

bool isFixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

} // namespace

FixedSizeKeeper::FixedSizeKeeper(QWidget& window)
    : QObject(&window), window_(window), sizedAtRatio_(window.devicePixelRatioF()) {
    window.installEventFilter(this);
}

bool FixedSizeKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize && event->spontaneous()) {
        const qreal ratio = window_.devicePixelRatioF();
        if (ratio != sizedAtRatio_) {
            sizedAtRatio_ = ratio;
            // Asked once the window system's events of the move are through.
            QTimer::singleShot(0, this, &FixedSizeKeeper::restoreFixedSize);
        }
    } else if (watched == &window_ && event->type() == QEvent::Show) {
        sizedAtRatio_ = window_.devicePixelRatioF();
    }
    return QObject::eventFilter(watched, event);
}

void FixedSizeKeeper::restoreFixedSize() {
    const bool isInAnyState = (window_.windowState() & ~Qt::WindowActive) != Qt::WindowNoState;
    if (isFixedSize(window_) && window_.size() != window_.minimumSize() && !isInAnyState &&
        window_.isVisible()) {
        window_.resize(window_.minimumSize());
    }
}
