#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Keeps the keyboard focus under a view on a control the user can see.
//
// Whatever moves the focus to a control, every scroll area round it scrolls
// it into view. A focused control that is hidden, disabled or shrunk to
// nothing (itself or round it) hands the focus to the view at once and, on
// the next turn, to the nearest Tab stop then shown, if there is one; a
// control disabled in view hands it to the Tab stop before it. The
// control gets the focus back once it can take it again, unless the focus
// was moved on meanwhile. Focus handed on counts as moved by Tab, so the
// control it lands on draws its focus ring.
class FocusKeeper final : public QObject {
    Q_OBJECT
public:
    // Lives as long as `view`.
    explicit FocusKeeper(QWidget* view);

    // Shown, enabled and of some size, as is everything round it up to `view`.
    static bool canHoldFocus(const QWidget* widget, const QWidget* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);
    bool handBack(QWidget* disabled, QWidget* now);
    void handOn(QWidget* control);
    void scheduleSettle();
    void settle();
    bool isInView(const QWidget* widget) const;
    // The nearest Tab stop under the view, after `from` or before it, that
    // can hold the focus: a button, where Space acts as on what went, if any.
    QWidget* nearestControl(QWidget* from, bool forward) const;
    QWidget* replacementFor(QWidget* focus) const;
    void scrollIntoView(QWidget* widget) const;
    void forget();

    QWidget* view_;
    // The control that last lost the focus by becoming unusable, and where
    // the focus went then.
    QPointer<QWidget> lost_;
    QPointer<QWidget> holder_;
    // Where the focus came from when it last moved: the way back is not the
    // way on.
    QPointer<QWidget> previous_;
    // The control the view took the focus from, until it is handed on.
    QPointer<QWidget> parked_;
    bool isSettleScheduled_ = false;
};
