#pragma once

#include "Platform/AppKit/CompositingChecking.h"

#include <cstdint>
#include <optional>

// Asks the display server. On X, a compositing manager owns the selection
// "_NET_WM_CM_S<screen>" of the screen the application runs on; every other
// platform (Wayland, offscreen rendering) always composites.
class DisplayServerCompositingChecker final : public CompositingChecking {
public:
    bool isCompositing() const override;

private:
    // The selection's atom, asked for once; none when the server gave none.
    mutable std::optional<std::uint32_t> selectionAtom_;
};
