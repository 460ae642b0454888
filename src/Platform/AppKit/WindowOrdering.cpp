#include "Platform/AppKit/WindowOrdering.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace WindowOrdering {

namespace {

// Activates a window once it is mapped, unless it was minimised or closed
// first: an activation asked of an unmapped window is sent when it maps, and
// would then take back a minimise that came meanwhile.
class ActivationOnExposure final : public QObject {
public:
    explicit ActivationOnExposure(QWidget& window) : QObject(&window), window_(&window) {
        setObjectName(QStringLiteral("ActivationOnExposure"));
        window.windowHandle()->installEventFilter(this);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (window_.isNull()) {
            return false;
        }
        if (watched == window_->windowHandle() && event->type() == QEvent::Expose &&
            window_->windowHandle()->isExposed()) {
            if (!(window_->windowState() & Qt::WindowMinimized)) {
                window_->activateWindow();
            }
            finish();
        } else if (watched == window_ && (event->type() == QEvent::Hide ||
                                          (event->type() == QEvent::WindowStateChange &&
                                           window_->windowState() & Qt::WindowMinimized))) {
            finish();
        }
        return false;
    }

private:
    void finish() {
        window_->windowHandle()->removeEventFilter(this);
        window_->removeEventFilter(this);
        window_ = nullptr;
        deleteLater();
    }

    QPointer<QWidget> window_;
};

} // namespace

void makeKeyAndOrderFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    if (window.windowHandle()->isExposed()) {
        window.activateWindow();
    } else if (window.findChild<QObject*>(QStringLiteral("ActivationOnExposure"),
                                          Qt::FindDirectChildrenOnly) == nullptr) {
        new ActivationOnExposure(window);
    }
}

} // namespace WindowOrdering
