#pragma once

class QWindow;

// Whether a click inside the application closes the popover: it does unless
// it lands in the popover itself, in a pop-up of its own (a bubble or menu
// that one of its views opened), on a tooltip, or on the status icon (whose
// own action toggles the popover).
namespace OutsideClickRule {

bool closesPopover(const QWindow* clickedWindow, const QWindow* popoverWindow,
                   const QWindow* statusItemWindow);

} // namespace OutsideClickRule
