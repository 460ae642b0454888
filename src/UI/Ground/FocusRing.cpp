#include "UI/Ground/FocusRing.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRingOverlay.h"
#include "UI/Ground/NamedColors.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>

namespace {

constexpr double ringOpacity = 0.6;

bool isScrollAreaContent(const QWidget& widget) {
    const QWidget* viewport = widget.parentWidget();
    const auto* area = viewport != nullptr
                           ? qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget())
                           : nullptr;
    return area != nullptr && area->viewport() == viewport;
}

} // namespace

FocusRing::FocusRing(QWidget* control, const QColor& color, Placement placement)
    : QObject(control), control_(control), color_(color), placement_(placement) {
    control->installEventFilter(this);
}

FocusRing::~FocusRing() {
    delete overlay_;
}

QColor FocusRing::defaultColor() {
    return NamedColors::accent;
}

void FocusRing::setColor(const QColor& color) {
    color_ = color;
    if (overlay_) {
        overlay_->setColor(withOpacity(color_, ringOpacity));
    }
}

void FocusRing::setShape(const QRectF& shape, double radius) {
    hasShape_ = true;
    shape_ = shape;
    radius_ = radius;
    if (overlay_) {
        overlay_->setShape(shape_.translated(width, width), radius_);
    }
}

bool FocusRing::isShown() const {
    return cameByKeyboard_ && control_->hasFocus() && control_->isVisible();
}

// Tab, Shift+Tab, a shortcut or the program set the focus by keyboard; the
// window's and a pop-up's return give back what was there.
void FocusRing::noteFocusIn(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
        cameByKeyboard_ = false;
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        break;
    default:
        cameByKeyboard_ = true;
        break;
    }
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == control_) {
            noteFocusIn(static_cast<QFocusEvent*>(event)->reason());
        }
        break;
    case QEvent::KeyPress:
        // A key on the focused control, Tab that finds no other stop among them.
        if (watched == control_) {
            cameByKeyboard_ = true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched == control_) {
            cameByKeyboard_ = false;
        }
        break;
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    refresh();
    return QObject::eventFilter(watched, event);
}

QWidget* FocusRing::layerParent() const {
    if (placement_ == Placement::insideEdge) {
        return control_;
    }
    QWidget* parent = control_->parentWidget();
    while (parent != nullptr && !parent->isWindow() && !isScrollAreaContent(*parent)) {
        parent = parent->parentWidget();
    }
    return parent;
}

void FocusRing::refresh() {
    QWidget* parent = isShown() ? layerParent() : nullptr;
    if (parent == nullptr) {
        stopWatchingAncestors();
        if (overlay_) {
            overlay_->hide();
        }
        return;
    }
    if (overlay_ && overlay_->parentWidget() != parent) {
        delete overlay_;
    }
    if (!overlay_) {
        overlay_ = new FocusRingOverlay(withOpacity(color_, ringOpacity), width, parent);
    }
    if (placement_ == Placement::insideEdge) {
        // The band lies outside a shape inset by its width: inside the edge.
        overlay_->setGeometry(control_->rect());
        overlay_->setShape(QRectF(control_->rect()).adjusted(width, width, -width, -width), 0);
    } else {
        watchAncestorsUpTo(parent);
        const QRect place(control_->mapTo(parent, QPoint(0, 0)), control_->size());
        overlay_->setGeometry(place.adjusted(-width, -width, width, width));
        const QRectF shape = hasShape_ ? shape_ : QRectF(control_->rect());
        overlay_->setShape(shape.translated(width, width), radius_);
    }
    overlay_->raise();
    overlay_->show();
}

// Left as it is while the same, since this runs inside their own events.
void FocusRing::watchAncestorsUpTo(QWidget* layerParent) {
    std::vector<QPointer<QWidget>> ancestors;
    for (QWidget* ancestor = control_->parentWidget(); ancestor != layerParent;
         ancestor = ancestor->parentWidget()) {
        ancestors.emplace_back(ancestor);
    }
    if (ancestors == watchedAncestors_) {
        return;
    }
    stopWatchingAncestors();
    for (const QPointer<QWidget>& ancestor : ancestors) {
        ancestor->installEventFilter(this);
    }
    watchedAncestors_ = std::move(ancestors);
}

void FocusRing::stopWatchingAncestors() {
    for (const QPointer<QWidget>& ancestor : watchedAncestors_) {
        if (ancestor) {
            ancestor->removeEventFilter(this);
        }
    }
    watchedAncestors_.clear();
}
