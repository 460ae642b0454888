#pragma once

#include <vector>

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class FocusRingOverlay;

// The ring round a control that has keyboard focus: the accent at 0.6,
// 3 points wide, just outside the control's own shape, which the control
// hands over where it draws it (its whole rectangle with corners of 4 until
// then). Focus that came by the mouse shows none, nor does a control pressed
// with the mouse since its focus came, so the mouse look stays as it is;
// focus given back with the window keeps the look it had, and focus a window
// gave its first control at opening shows from the first key pressed on it.
//
// The ring is drawn on a layer over the control and the room round it, in
// the nearest ancestor that is a window or the content of a scroll area: a
// control's own rectangle, and often its parent's, leave no room outside its
// shape, while the scroll area still cuts the ring where it cuts the control.
//
// A control whose edge leaves no room round it, as a scroll area that fills
// its window, has its ring drawn just inside its edge instead, over what it
// shows.
class FocusRing : public QObject {
    Q_OBJECT
public:
    static constexpr int width = 3;

    enum class Placement { outsideShape, insideEdge };

    // Watches `control`, which owns the ring.
    explicit FocusRing(QWidget* control, const QColor& color = defaultColor(),
                       Placement placement = Placement::outsideShape);
    ~FocusRing() override;

    static QColor defaultColor();
    void setColor(const QColor& color);
    // The control's shape in its own coordinates: a rectangle with corners of `radius`.
    void setShape(const QRectF& shape, double radius);

    bool isShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteFocusIn(Qt::FocusReason reason);
    // Shows the layer where the control is now, or hides it.
    void refresh();
    QWidget* layerParent() const;
    void watchAncestorsUpTo(QWidget* layerParent);
    void stopWatchingAncestors();

    QWidget* control_;
    QColor color_;
    Placement placement_;
    QRectF shape_;
    double radius_ = 4;
    bool hasShape_ = false;
    bool cameByKeyboard_ = false;
    QPointer<FocusRingOverlay> overlay_;
    // The control's ancestors below the layer's parent: moving them moves the control.
    std::vector<QPointer<QWidget>> watchedAncestors_;
};
