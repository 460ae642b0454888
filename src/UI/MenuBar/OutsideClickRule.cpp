#include "UI/MenuBar/OutsideClickRule.h"

#include <QWindow>

namespace OutsideClickRule {

bool closesPopover(const QWindow* clickedWindow, const QWindow* popoverWindow,
                   const QWindow* statusItemWindow) {
    // Two absent windows count as the same window.
    if (clickedWindow == popoverWindow || clickedWindow == statusItemWindow) {
        return false;
    }
    if (clickedWindow == nullptr || popoverWindow == nullptr) {
        return true;
    }
    // A pop-up opened from inside the popover has it as its transient parent.
    return clickedWindow->type() != Qt::ToolTip && !popoverWindow->isAncestorOf(clickedWindow);
}

} // namespace OutsideClickRule
