#pragma once

// Whether a compositing manager draws the screen, so that what lies beneath a
// window shows through its transparent pixels. Without one, those pixels show
// as black and a window must be shaped instead.
class CompositingChecking {
public:
    virtual ~CompositingChecking() = default;
    virtual bool isCompositing() const = 0;
};
