#include "UI/MenuBar/OutsideClickRule.h"

namespace OutsideClickRule {

bool closesPopover(const QWindow* clickedWindow, const QWindow* popoverWindow,
                   const QWindow* statusItemWindow) {
    // Two absent windows count as the same window.
    return clickedWindow != popoverWindow && clickedWindow != statusItemWindow;
}

} // namespace OutsideClickRule
