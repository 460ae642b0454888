#include "UI/Ground/FocusKeeper.h"

#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QScrollArea>

FocusKeeper::FocusKeeper(QWidget* view) : QObject(view), view_(view) {
    view_->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusKeeper::focusChanged);
}

bool FocusKeeper::canHoldFocus(const QWidget* widget, const QWidget* view) {
    if (!widget->isVisible() || !widget->isEnabled()) {
        return false;
    }
    for (const QWidget* around = widget; around != nullptr; around = around->parentWidget()) {
        if (around->width() <= 0 || around->height() <= 0) {
            return false;
        }
        if (around == view) {
            break;
        }
    }
    return true;
}

bool FocusKeeper::isInView(const QWidget* widget) const {
    return widget != nullptr && (widget == view_ || view_->isAncestorOf(widget));
}

void FocusKeeper::focusChanged(QWidget* old, QWidget* now) {
    if (!isInView(now)) {
        return;
    }
    if (isInView(old) && !canHoldFocus(old, view_)) {
        // Handed on by a control that could hold it no more; along a chain
        // of such hand-overs, the first one gets it back.
        if (!lost_ || old != holder_) {
            lost_ = old;
        }
        holder_ = now;
        if (old->isVisible() && !old->isEnabled() && handBack(old, now)) {
            return;
        }
    } else if (old != nullptr && now != view_) {
        lost_ = nullptr;
        holder_ = nullptr;
    }
    previous_ = old;
    // Its hiding, disabling and resizing, and those round it, reach it.
    now->installEventFilter(this);
    if (canHoldFocus(now, view_)) {
        scrollIntoView(now);
    } else if (now != view_) {
        scheduleSettle();
    }
}

// A control disabled in view hands the focus to the control before it
// rather than on past it, so that Space again, as to retry, starts nothing
// new.
bool FocusKeeper::handBack(QWidget* disabled, QWidget* now) {
    QWidget* before = nearestControl(disabled, false);
    if (before == nullptr || before == now) {
        return false;
    }
    handOn(before);
    return true;
}

// Focus handed on for the control that lost it is not moved on by the user:
// the control still gets it back.
void FocusKeeper::handOn(QWidget* control) {
    QPointer<QWidget> lost = lost_;
    control->setFocus(Qt::TabFocusReason);
    lost_ = lost;
    holder_ = control;
}

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == view_ && type == QEvent::Hide) {
        // Closed: what was lost is not given back when it opens again.
        forget();
        return false;
    }
    if (type != QEvent::Hide && type != QEvent::Show && type != QEvent::EnabledChange &&
        type != QEvent::Resize) {
        return false;
    }
    QWidget* focus = QApplication::focusWidget();
    // The view holds it at once, so that no key reaches what cannot be seen,
    // until what is shown now is known. A view that goes takes it along.
    if (watched == focus && focus != view_ && view_->isVisible() && !canHoldFocus(focus, view_)) {
        parked_ = focus;
        view_->setFocus(Qt::OtherFocusReason);
        scheduleSettle();
    } else if (watched == focus || (lost_ && watched == lost_)) {
        scheduleSettle();
    }
    return false;
}

// On the next turn: an action that hides one page shows the next one after.
void FocusKeeper::scheduleSettle() {
    if (std::exchange(isSettleScheduled_, true)) {
        return;
    }
    QMetaObject::invokeMethod(this, &FocusKeeper::settle, Qt::QueuedConnection);
}

void FocusKeeper::settle() {
    isSettleScheduled_ = false;
    QWidget* focus = QApplication::focusWidget();
    if (!view_->isVisible() || !isInView(focus)) {
        return;
    }
    QWidget* from = focus == view_ ? parked_.data() : focus;
    parked_ = nullptr;
    const bool isHeld = from == nullptr || canHoldFocus(from, view_);
    if (lost_ && canHoldFocus(lost_, view_) && (focus == holder_ || focus == view_ || !isHeld)) {
        QWidget* control = lost_;
        forget();
        control->setFocus(Qt::TabFocusReason);
        return;
    }
    if (isHeld) {
        return;
    }
    if (QWidget* replacement = replacementFor(from)) {
        handOn(replacement);
    } else {
        view_->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* FocusKeeper::nearestControl(QWidget* from, bool forward) const {
    const auto step = [forward](QWidget* widget) {
        return forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
    };
    QWidget* nearestStop = nullptr;
    for (QWidget* candidate = step(from); candidate != nullptr && candidate != from;
         candidate = step(candidate)) {
        if ((candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            view_->isAncestorOf(candidate) && canHoldFocus(candidate, view_)) {
            if (qobject_cast<QAbstractButton*>(candidate) != nullptr) {
                return candidate;
            }
            nearestStop = nearestStop != nullptr ? nearestStop : candidate;
        }
    }
    return nearestStop;
}

// The next control on, unless that is where the focus came from: Shift+Tab
// onto a control of no size goes on backwards.
QWidget* FocusKeeper::replacementFor(QWidget* focus) const {
    QWidget* next = nearestControl(focus, true);
    if (next != nullptr && next == previous_) {
        if (QWidget* before = nearestControl(focus, false)) {
            return before;
        }
    }
    return next;
}

void FocusKeeper::scrollIntoView(QWidget* widget) const {
    for (QWidget* around = widget->parentWidget(); around != nullptr;
         around = around->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(around)) {
            area->ensureWidgetVisible(widget);
        }
        if (around == view_) {
            break;
        }
    }
}

void FocusKeeper::forget() {
    parked_ = nullptr;
    lost_ = nullptr;
    holder_ = nullptr;
    previous_ = nullptr;
}
