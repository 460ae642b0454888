#pragma once

#include "UI/Radar/RadarReadout.h"
#include "UI/Radar/RadarReadoutText.h"

#include <chrono>
#include <functional>
#include <optional>

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

// The radar disc: a dark radial gradient with four rings and a cross-hair,
// the turning sweep, an outer ring in the quality tint and, in the middle,
// the status symbol, the score and the quality message. The sweep moves
// about 30 times a second while the view is visible, and not at all while it
// is hidden; its angle follows a monotonic clock from the moment the view
// was last shown.
//
// The disc's surface and its outer ring are drawn once into two cached
// layers, the one beneath the sweep holding what the window draws under the
// disc too. Each frame repaints, opaquely, only the pixels the sweep left and
// now covers: a copy of the layer beneath with the sweep screened over it by
// `RadarSweepRaster`, then the ring and the readout. A changed readout is
// repainted with the next frame.
class RadarDiscView : public QWidget {
    Q_OBJECT
public:
    using MonotonicClock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds frameInterval{33};
    // The outer ring's half width reaches past the disc on every side.
    static constexpr int ringOverhang = 4;

    explicit RadarDiscView(MonotonicClock clock = std::chrono::steady_clock::now,
                           QWidget* parent = nullptr);

    void setReadout(int score, const QColor& tint, const QString& statusSymbolName,
                    const QString& message);

    // Holds the sweep at `elapsedSeconds` after its start, with no timer.
    void freezeSweep(double elapsedSeconds);

    bool isSweepRunning() const { return sweepTimer_.isActive(); }
    double sweepRotationDegrees() const;

    // The disc inside the view, with the ring's overhang around it.
    QRectF discRect() const;

    int score() const { return readout_.score; }
    const QColor& tint() const { return readout_.tint; }
    const QString& statusSymbolName() const { return readout_.statusSymbolName; }
    const QString& message() const { return readout_.message; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the layers were drawn for; any change redraws them.
    struct LayerKey {
        QSize size;
        qreal devicePixelRatio = 0;
        QPoint offsetInWindow;
        QSize windowSize;
        QColor tint;

        bool operator==(const LayerKey&) const = default;
    };

    void updateAccessibleName();
    void showNextFrame();
    void updateWithNextFrame(const QRegion& region);
    QRect readoutBounds() const;

    void composeFrame(const QRect& area);
    void refreshLayers(qreal devicePixelRatio);
    QImage drawUnderLayer(qreal devicePixelRatio) const;
    QImage drawOverLayer(qreal devicePixelRatio) const;
    void paintBeneath(QPainter& painter) const;

    MonotonicClock clock_;
    std::chrono::steady_clock::time_point sweepStart_;
    std::optional<double> frozenElapsedSeconds_;
    QTimer sweepTimer_;
    // The rotation the sweep is drawn at until the next frame.
    double shownRotationDegrees_;
    // Readout changes waiting for the next frame.
    QRegion pendingRegion_;

    RadarReadout readout_;
    // The readout's texts, shaped when first drawn after a change.
    std::optional<RadarReadoutText> readoutText_;
    // Beneath the sweep: the window under the disc and the disc's surface.
    QImage underLayer_;
    LayerKey underLayerKey_;
    // Over the sweep: the outer ring, on transparency.
    QImage overLayer_;
    LayerKey overLayerKey_;
    // The last frame, composed from the layers, the sweep and the readout.
    QImage frame_;
};
