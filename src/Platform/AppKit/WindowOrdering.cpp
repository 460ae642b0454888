#include "Platform/AppKit/WindowOrdering.h"

#include <QWidget>

namespace WindowOrdering {

void makeKeyAndOrderFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace WindowOrdering
