#pragma once

#include "Platform/Algorithm/StableSort.h"
#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/WrappingLabel.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLayout>
#include <QScrollArea>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Reads what a view shows without looking at pixels.
namespace ViewInspection {

// The plain texts `root` shows, top to bottom and then left to right, as
// positioned by its layouts; hidden labels are left out.
inline QStringList shownTexts(const QWidget& root) {
    struct Placed {
        QPoint position;
        QString text;
    };
    std::vector<Placed> placed;
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&root)) {
            continue;
        }
        const QPoint position = child->mapTo(&root, QPoint(0, 0));
        if (const auto* line = qobject_cast<const OneLineLabel*>(child)) {
            placed.push_back({position, line->text()});
        } else if (const auto* wrapping = qobject_cast<const WrappingLabel*>(child)) {
            placed.push_back({position, wrapping->text()});
        } else if (const auto* limited = qobject_cast<const LineLimitedLabel*>(child)) {
            placed.push_back({position, limited->text()});
        }
    }
    Algorithm::stableSort(placed.begin(), placed.end(),
                          [](const Placed& first, const Placed& second) {
                              return first.position.y() != second.position.y()
                                         ? first.position.y() < second.position.y()
                                         : first.position.x() < second.position.x();
                          });
    QStringList texts;
    for (const Placed& item : placed) {
        texts.append(item.text);
    }
    return texts;
}

// The first label under `root` that shows `text`, or null.
inline const QWidget* labelShowing(const QWidget& root, const QString& text) {
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        const auto* line = qobject_cast<const OneLineLabel*>(child);
        const auto* wrapping = qobject_cast<const WrappingLabel*>(child);
        if ((line && line->text() == text) || (wrapping && wrapping->text() == text)) {
            return child;
        }
    }
    return nullptr;
}

// The horizontal room between the right edge of `first` and the left edge of
// `second`, both somewhere under `root`.
inline int horizontalGap(const QWidget& root, const QWidget& first, const QWidget& second) {
    const int firstRight = first.mapTo(&root, QPoint(first.width(), 0)).x();
    return second.mapTo(&root, QPoint(0, 0)).x() - firstRight;
}

// Lays `view` out at `width` and the height it needs, and shows it offscreen.
inline void layOut(QWidget& view, int width) {
    view.show();
    const int height =
        view.hasHeightForWidth() ? view.heightForWidth(width) : view.sizeHint().height();
    view.resize(width, std::max(height, view.sizeHint().height()));
    if (view.layout()) {
        view.layout()->activate();
    }
}

// What Tab stops at in `window`, once round from where the focus is, each
// handed to `atStop` while it has the focus.
inline std::vector<QWidget*> tabStops(QWidget& window,
                                      const std::function<void(QWidget&)>& atStop = {}) {
    std::vector<QWidget*> stops;
    while (stops.size() < 30) {
        QWidget* from = QApplication::focusWidget();
        QTest::keyClick(from != nullptr ? from : &window, Qt::Key_Tab);
        QWidget* stop = QApplication::focusWidget();
        if (stop == nullptr || std::ranges::find(stops, stop) != stops.end()) {
            break;
        }
        stops.push_back(stop);
        if (atStop) {
            atStop(*stop);
        }
    }
    return stops;
}

// What Tab stops at in `window`, once round from where the focus is: the
// class of each stop, "button" for every button (a control Space acts on).
inline QStringList tabStopKinds(QWidget& window) {
    const std::vector<QWidget*> stops = tabStops(window);
    QStringList kinds;
    for (const QWidget* stop : stops) {
        kinds.append(qobject_cast<const QAbstractButton*>(stop) != nullptr
                         ? QStringLiteral("button")
                         : QString::fromLatin1(stop->metaObject()->className()));
    }
    return kinds;
}

// The window's pixels over `control` and 4 points round it.
inline QImage pixelsAround(QWidget& window, const QWidget& control) {
    QCoreApplication::processEvents();
    const QRect place(control.mapTo(&window, QPoint(0, 0)), control.size());
    return window.grab(place.adjusted(-4, -4, 4, 4))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Whether `ringed` is `plain` with a ring of `accent` at 0.6 laid over it:
// a band of pixels turned to that blend, and no pixel changed otherwise than
// towards the accent (beyond rounding).
inline bool showsFocusRing(const QImage& plain, const QImage& ringed, const QColor& accent) {
    if (plain.size() != ringed.size()) {
        return false;
    }
    const auto blend = [](int under, int over) { return (over * 6 + under * 4) / 10; };
    const auto distance = [](QRgb first, QRgb second) {
        return std::abs(qRed(first) - qRed(second)) + std::abs(qGreen(first) - qGreen(second)) +
               std::abs(qBlue(first) - qBlue(second));
    };
    int ringPixels = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb before = plain.pixel(x, y);
            const QRgb after = ringed.pixel(x, y);
            if (distance(before, after) <= 3) {
                continue; // rounding where the ring's edge meets a shape of the same colour
            }
            if (distance(after, accent.rgb()) >= distance(before, accent.rgb())) {
                return false;
            }
            const QRgb expected =
                qRgb(blend(qRed(before), accent.red()), blend(qGreen(before), accent.green()),
                     blend(qBlue(before), accent.blue()));
            ringPixels += distance(after, expected) <= 6 ? 1 : 0;
        }
    }
    return ringPixels >= 2 * (plain.width() + plain.height());
}

// The Tab stops of `window`, once round from where the focus is, whose focus
// does not show as it should: by Tab, a ring of `accent` just outside the
// control; set as by the mouse, no change at all. Each by its class.
inline QStringList tabStopsWithoutFocusRing(QWidget& window, const QColor& accent) {
    QStringList wrong;
    tabStops(window, [&](QWidget& stop) {
        const QImage byTab = pixelsAround(window, stop);
        stop.clearFocus();
        const QImage unfocused = pixelsAround(window, stop);
        stop.setFocus(Qt::MouseFocusReason);
        const QImage byMouse = pixelsAround(window, stop);
        if (!showsFocusRing(unfocused, byTab, accent) || byMouse != unfocused) {
            wrong.append(QString::fromLatin1(stop.metaObject()->className()));
        }
    });
    return wrong;
}

// What is wrong with where the keyboard focus is under `view`: nothing (an
// empty text) while a control holds it that is shown, enabled, of some size
// and inside every scroll area's viewport round it, or the view itself.
inline QString focusFault(const QWidget& view) {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == &view) {
        return {};
    }
    if (focus == nullptr || !view.isAncestorOf(focus)) {
        return QStringLiteral("the focus is elsewhere");
    }
    const QString name = QString::fromLatin1(focus->metaObject()->className()) + u' ' +
                         focus->accessibleName() + u' ';
    if (!focus->isVisible() || !focus->isEnabled() || focus->size().isEmpty()) {
        return name + QStringLiteral("is hidden, disabled or of no size");
    }
    for (const QWidget* around = focus->parentWidget(); around != &view;
         around = around->parentWidget()) {
        const auto* area = qobject_cast<const QScrollArea*>(around);
        if (area != nullptr && !area->viewport()->rect().contains(QRect(
                                   focus->mapTo(area->viewport(), QPoint(0, 0)), focus->size()))) {
            return name + QStringLiteral("is scrolled out of view");
        }
    }
    return {};
}

} // namespace ViewInspection
