#include "UI/Radar/RadarDiscLayers.h"
#include "UI/Radar/RadarDiscView.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarReadoutText.h"
#include "UI/Radar/RadarSweepShape.h"
#include "UI/Radar/WiFiRadarContentView.h"
#include "UI/Radar/WiFiRadarModel.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

// One frame of the radar sweep in the fixed 1080 by 680 window, at the scale
// given as the argument: the disc's repaint of the region the sweep left and
// now covers, beside the whole repaint of the disc and of what lies under it
// that each frame took before.
namespace {

constexpr double frameSeconds = 1.0 / 30;

class RadarWindow {
public:
    RadarWindow() {
        view_.resize(1080, 680);
        WiFiRadarContent content;
        content.score = 78;
        content.qualityTint = WiFiRadarModel::qualityTint(78);
        content.statusSymbolName = WiFiRadarModel::statusSymbolName(78);
        content.qualityMessage = WiFiRadarModel::qualityMessage(78);
        view_.setContent(content);
        disc().freezeSweep(0);
        // Rendering once lays the window out, as showing it would.
        QImage whole(view_.size(), QImage::Format_ARGB32_Premultiplied);
        view_.render(&whole);
    }

    RadarDiscView& disc() const { return *view_.radarPanel()->disc(); }
    QWidget& panel() const { return *view_.radarPanel(); }
    QWidget& window() { return view_; }

    // The disc's rectangle repainted when the sweep moves on from `seconds`.
    QRect frameRect(double seconds) const {
        const QRectF discRect = disc().discRect();
        return RadarDiscLayers::sweepBounds(discRect, RadarSweepShape::rotationDegrees(seconds)) |
               RadarDiscLayers::sweepBounds(
                   discRect, RadarSweepShape::rotationDegrees(seconds + frameSeconds));
    }

private:
    WiFiRadarContentView view_;
};

// Opaque, as an opaque window's backing store on a 24-bit X screen is.
QImage canvas(const QSize& size, double scale) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    return image;
}

void radarSweepFrame(benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0));
    RadarWindow radar;
    QImage image = canvas(radar.disc().size(), scale);
    const QRect frame = radar.frameRect(0.4);
    const QRegion region(frame);
    radar.disc().render(&image, frame.topLeft(), region, {}); // draws the cached layers
    for (auto _ : state) {
        radar.disc().render(&image, frame.topLeft(), region, {});
    }
    benchmark::DoNotOptimize(image.constBits());
    state.counters["pixels"] = static_cast<double>(frame.width()) * frame.height() * scale * scale;
}

// What each frame did before: the window and the panel under the disc, then
// every layer of the disc, over the disc's whole square.
void radarWholeDiscRepaint(benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0));
    RadarWindow radar;
    RadarDiscView& disc = radar.disc();
    QImage image = canvas(disc.size(), scale);
    const QRectF discRect = disc.discRect();
    const RadarReadout readout{disc.score(), disc.tint(), disc.statusSymbolName(), disc.message()};
    const double rotation = RadarSweepShape::rotationDegrees(0.4);
    for (auto _ : state) {
        QPainter painter(&image);
        for (QWidget* beneath : {&radar.window(), &radar.panel()}) {
            const QRect area(disc.mapTo(beneath, QPoint(0, 0)), disc.size());
            beneath->render(&painter, QPoint(), QRegion(area), {});
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.save();
        RadarDiscLayers::clipToDisc(painter, discRect);
        RadarDiscLayers::paintSurface(painter, discRect);
        RadarDiscLayers::paintSweep(painter, discRect, rotation, readout.tint);
        painter.restore();
        RadarDiscLayers::paintRing(painter, discRect, readout.tint);
        RadarReadoutText(readout, discRect).paint(painter);
    }
    benchmark::DoNotOptimize(image.constBits());
}

} // namespace

// Process time: Qt spreads large fills over its thread pool.
BENCHMARK(radarSweepFrame)->Arg(1)->Arg(2)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(radarWholeDiscRepaint)
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
