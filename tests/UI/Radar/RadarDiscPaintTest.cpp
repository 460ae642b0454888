#include "Support/EventLoopWait.h"
#include "UI/Radar/RadarDiscLayers.h"
#include "UI/Radar/RadarDiscView.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarSweepShape.h"
#include "UI/Radar/WiFiRadarContentView.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QTransform>

using namespace std::chrono_literals;
using namespace Qt::Literals::StringLiterals;

namespace {

// The regions each watched widget was asked to paint.
class PaintLog final : public QObject {
public:
    void watch(QWidget& widget) { widget.installEventFilter(this); }
    const std::vector<QRegion>& of(const QWidget& widget) { return regions_[&widget]; }
    void clear() { regions_.clear(); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            regions_[watched].push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }

private:
    std::map<const QObject*, std::vector<QRegion>> regions_;
};

// A point halfway out along the middle of the sweep turned by `rotation`.
QPoint insideSweep(const QRectF& disc, double rotation) {
    QTransform turn;
    turn.rotate(rotation - RadarSweepShape::sweepDegrees / 2);
    return (disc.center() + turn.map(QPointF(disc.width() / 4, 0))).toPoint();
}

QImage rendered(RadarDiscView& disc, qreal ratio) {
    QImage image(disc.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    disc.render(&image);
    return image;
}

} // namespace

// The window is really shown (off screen), so that paints go through the
// window's own repaint path.
class RadarDiscPaintTest : public testing::Test {
protected:
    RadarDiscPaintTest() {
        log.watch(disc());
        view.resize(1080, 680);
        view.show();
        EXPECT_TRUE(processEventsUntil([this] { return !log.of(disc()).empty(); }, 5000));
        processEventsUntil([] { return false; }, 100);
        log.clear();
        log.watch(view);
        log.watch(*view.radarPanel());
    }
    ~RadarDiscPaintTest() override { view.hide(); }

    RadarDiscView& disc() { return *view.radarPanel()->disc(); }
    double rotationAt(std::chrono::milliseconds elapsed) const {
        return RadarSweepShape::rotationDegrees(std::chrono::duration<double>(elapsed).count());
    }
    // Lets the sweep move on and runs a few frames.
    void runFrames(std::chrono::milliseconds elapsed) {
        now = shownAt + elapsed;
        processEventsUntil([this] { return !log.of(disc()).empty(); }, 2000);
        processEventsUntil([] { return false; }, 150);
    }

    PaintLog log;
    std::chrono::steady_clock::time_point shownAt{std::chrono::hours(3)};
    std::chrono::steady_clock::time_point now = shownAt;
    WiFiRadarContentView view{[this] { return now; }};
};

TEST_F(RadarDiscPaintTest,
       AFrameRepaintsOnlyWhereTheSweepWasAndIsWithTheReadoutChangesSinceTheLast) {
    const QRectF discRect = disc().discRect();
    runFrames(40ms);
    ASSERT_EQ(log.of(disc()).size(), 1U) << "one paint per frame; none while the sweep stands";
    const QRegion frame = log.of(disc())[0];
    EXPECT_TRUE(frame.contains(insideSweep(discRect, rotationAt(0ms)))) << "the old sweep stays";
    EXPECT_TRUE(frame.contains(insideSweep(discRect, rotationAt(40ms)))) << "the new one is missed";
    EXPECT_FALSE(frame.contains(insideSweep(discRect, rotationAt(1100ms))))
        << "the whole disc was repainted";
    EXPECT_TRUE(log.of(*view.radarPanel()).empty()) << "the panel under the disc was repainted";
    EXPECT_TRUE(log.of(view).empty()) << "the window under the disc was repainted";

    log.clear();
    disc().setReadout(41, disc().tint(), disc().statusSymbolName(), u"Moving"_s);
    disc().setReadout(42, disc().tint(), disc().statusSymbolName(), u"Moving on"_s);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(log.of(disc()).empty()) << "a readout change was painted before the next frame";
    runFrames(80ms);
    ASSERT_EQ(log.of(disc()).size(), 1U) << "the readout changes were not joined to one frame";
    const QPoint besideTheScore(qRound(discRect.left()) + 4, qRound(discRect.center().y()) + 10);
    EXPECT_TRUE(log.of(disc())[0].contains(besideTheScore)) << "the readout was not repainted";
    EXPECT_TRUE(log.of(disc())[0].contains(insideSweep(discRect, rotationAt(80ms))));
    EXPECT_TRUE(log.of(view).empty());
}

TEST(RadarDiscCacheTest, AChangedDiscDrawsAsOneDrawnAfreshInItsNewState) {
    struct Change {
        const char* name;
        std::function<void(RadarDiscView&)> apply;
        qreal ratio;
    };
    const std::vector<Change> changes{
        {"tint", [](RadarDiscView& disc) { disc.setReadout(60, Qt::yellow, {}, {}); }, 1},
        {"score", [](RadarDiscView& disc) { disc.setReadout(12, Qt::green, {}, {}); }, 1},
        {"size", [](RadarDiscView& disc) { disc.resize(150, 150); }, 1},
        {"device pixel ratio", [](RadarDiscView&) {}, 2},
    };
    const auto prepared = [](RadarDiscView& disc) {
        disc.resize(200, 200);
        disc.freezeSweep(0.3);
        disc.setReadout(60, Qt::green, {}, {});
    };
    for (const Change& change : changes) {
        RadarDiscView changed;
        prepared(changed);
        rendered(changed, 1);
        change.apply(changed);
        RadarDiscView fresh;
        prepared(fresh);
        change.apply(fresh);
        EXPECT_EQ(rendered(changed, change.ratio), rendered(fresh, change.ratio)) << change.name;
    }
}

// Each frame paints part of the disc over what the frames before it left; at
// whole and fractional ratios they add up to what one whole paint draws.
TEST(RadarDiscCacheTest, FramesAddUpToAWholePaintAtAnyRatio) {
    constexpr double frameSeconds = 1.0 / 30;
    constexpr int frames = 12;
    const auto prepared = [](RadarDiscView& disc, double elapsedSeconds) {
        disc.resize(203, 203);
        disc.setReadout(60, Qt::green, {}, {});
        disc.freezeSweep(elapsedSeconds);
    };
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        RadarDiscView disc;
        prepared(disc, 0);
        QImage image = rendered(disc, ratio);
        for (int frame = 1; frame <= frames; ++frame) {
            const auto bounds = [&disc](double seconds) {
                return RadarDiscLayers::sweepBounds(disc.discRect(),
                                                    RadarSweepShape::rotationDegrees(seconds));
            };
            const QRect region = bounds((frame - 1) * frameSeconds) | bounds(frame * frameSeconds);
            disc.freezeSweep(frame * frameSeconds);
            disc.render(&image, region.topLeft(), QRegion(region), {});
        }
        RadarDiscView fresh;
        prepared(fresh, frames * frameSeconds);
        EXPECT_EQ(image, rendered(fresh, ratio)) << "ratio " << ratio;
    }
}
