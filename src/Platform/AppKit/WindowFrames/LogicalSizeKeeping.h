#pragma once

#include <optional>

#include <QSize>

// Tells when a window's size in Qt's pixels changed only because the window
// moved to a screen of another scale. Under X the native window keeps its
// device size across screens, and the window manager the size limits it was
// given in device pixels, so that Qt sees the window at another size (half
// its size on a screen of twice the scale). Such a window is to be asked for
// the size it had, once per change of scale: which also gives the manager its
// limits at the new scale. A size that changed in device pixels too (the user
// resized the window, Qt moved it at its size, or the size asked for landed)
// is the window's own, except the device size it had before the change of
// scale or now, held to its size limits at either scale: a manager's move
// loop gives the window again the device size it had when the drag began,
// held to the limits Qt gave it at the new scale (openbox at each step,
// xfwm4 once Qt's limits change under it).
class LogicalSizeKeeping {
public:
    // The window was shown at `size`, `ratio` device pixels to one of Qt's,
    // and can have sizes from `minimum` to `maximum` (none: unbounded).
    void shown(QSize size, qreal ratio, QSize minimum = {}, QSize maximum = {});

    // The window is now at `size` at `ratio`: the size to ask for, when only
    // the change of scale changed it and it has not been asked for yet.
    std::optional<QSize> seen(QSize size, qreal ratio);

    // The window has been still at `size` at `ratio`: the size to ask for
    // there once more, where another landed instead (a manager busy moving
    // the window drops the request, and then holds it to the size limits Qt
    // gave it at the new scale), or where the manager gave it a device size
    // of before the change of scale. Once per change of scale: `askedAgain`
    // tells it was asked.
    std::optional<QSize> unanswered(QSize size, qreal ratio) const;
    void askedAgain();

    // The window fills a monitor at `size` at `ratio`, where no size it has
    // is its own: a manager that restores it may hold its size to the limits
    // Qt gave it there (xfwm4), which is then not taken as the window's own
    // either, nor the filled size Qt may report for a moment once restored.
    void filling(QSize size, qreal ratio);

private:
    void adopt(QSize size, qreal ratio);
    bool isHeldByManager(QSize size, qreal ratio) const;

    QSize size_;
    // None before the window is shown.
    qreal ratio_ = 0;
    QSize minimum_;
    QSize maximum_;
    // The device size the window had at the scale before the last change of
    // scale, if any.
    std::optional<QSize> deviceBefore_;
    // A scale other than its own the window filled a monitor at since it
    // was shown, if any.
    qreal filledAtRatio_ = 0;
    // The size it last filled a monitor at, at the scale it filled it at.
    QSize filledSize_;
    qreal filledSizeRatio_ = 0;
    // The scale the size was last asked for at.
    qreal askedAtRatio_ = 0;
    // The size last asked for, at the scale it was asked at, until it lands
    // or the scale changes, and whether it was asked again.
    std::optional<QSize> unanswered_;
    qreal unansweredAtRatio_ = 0;
    bool isAskedAgain_ = false;
};
