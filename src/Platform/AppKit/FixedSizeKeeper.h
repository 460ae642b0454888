#pragma once

#include <QObject>

class QWidget;

// Holds a fixed-size window (its minimum size is its maximum) at its fixed
// size when it moves to a screen of another scale. Under X the native window
// keeps its device size, and the window manager the size limits it was given
// in device pixels, so that Qt sees a window of another logical size: the
// window asks for its fixed size again, once per change of scale, which also
// gives the window manager its limits at the new scale. A window in a state
// (maximised, full screen, minimised) is left as it is. Lives as the window's
// child.
class FixedSizeKeeper final : public QObject {
public:
    explicit FixedSizeKeeper(QWidget& window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreFixedSize();

    QWidget& window_;
    // The scale the window's size was last seen at.
    qreal sizedAtRatio_;
};
