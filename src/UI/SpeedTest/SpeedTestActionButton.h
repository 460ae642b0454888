#pragma once

#include <functional>

class WindowBorderedButton;

// The window's one action button ("Run Test", "Cancel" or "Retest"): 12 pt
// semibold text padded 12 by 7 on a rounded rectangle (radius 8) of white at
// 0.08, outlined in the panel border colour. Never disabled; no shortcut.
namespace SpeedTestActionButton {

WindowBorderedButton* make(std::function<void()> onClick);

} // namespace SpeedTestActionButton
