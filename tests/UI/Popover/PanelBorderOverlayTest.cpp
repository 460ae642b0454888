#include "UI/Popover/PanelBorderOverlay.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// A panel in a colour of its own, with a child that can ask to be redrawn.
class RedPanel : public QWidget {
public:
    RedPanel() {
        // As in the popover: what is cleared shows through.
        setAttribute(Qt::WA_TranslucentBackground);
        resize(400, 600);
        child.setParent(this);
    }
    QWidget child;

protected:
    void paintEvent(QPaintEvent* /*event*/) override { QPainter(this).fillRect(rect(), Qt::red); }
};

class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

// The overlay draws only near the edge, and is redrawn only when something
// there is: a redraw of the panel's inside leaves it out.
TEST(PanelBorderOverlayTest, IsRedrawnOnlyWithTheEdge) {
    struct Case {
        const char* where;
        QRect childGeometry;
        bool redrawsOverlay;
    };
    const Case cases[] = {
        {"inside", QRect(100, 100, 120, 40), false},
        {"at a corner", QRect(0, 0, 20, 20), true},
        {"at the bottom edge", QRect(150, 590, 40, 10), true},
        {"across the side", QRect(380, 200, 40, 40), true},
    };
    RedPanel panel;
    PanelBorderOverlay overlay(&panel);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.where);
        panel.child.setGeometry(testCase.childGeometry);
        QCoreApplication::processEvents();
        PaintCounter paints;
        overlay.installEventFilter(&paints);
        panel.child.update();
        QCoreApplication::processEvents();
        EXPECT_EQ(paints.count > 0, testCase.redrawsOverlay);
    }
}

TEST(PanelBorderOverlayTest, ClearsTheCornersOutsideTheRoundedShape) {
    RedPanel panel;
    PanelBorderOverlay overlay(&panel);
    const QImage image = panel.grab().toImage();
    for (const QPoint corner : {QPoint(2, 2), QPoint(397, 2), QPoint(2, 597), QPoint(397, 597)}) {
        EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(image.pixelColor(200, 300), QColor(Qt::red));
}
