#include "UI/Radar/RadarSweepRaster.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Radar/RadarSweepShape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace {

// A half-plane bounded by a line through the centre. A pixel whose centre
// lies at (x, y) from the centre is `x * a + y * b` pixels inside it (the
// normal is a unit vector), and covered up to half a pixel further out.
struct HalfPlane {
    double a;
    double b;

    double inside(double x, double y) const { return x * a + y * b; }
};

struct Span {
    double from;
    double to;
};

double coverage(double inside) {
    return std::clamp(inside + 0.5, 0.0, 1.0);
}

// The wedge: two half-planes and the disc, with the opacity of its fade,
// which runs linearly along the trailing edge's direction.
struct Wedge {
    HalfPlane trailing;
    HalfPlane leading;
    double radius;
    HalfPlane along;
    double trailingAlpha;
    double leadingAlpha;

    double coverageAt(double x, double y) const {
        const double disc = radius - std::sqrt(x * x + y * y);
        return std::min(
            {coverage(disc), coverage(trailing.inside(x, y)), coverage(leading.inside(x, y))});
    }
    double alphaAt(double x, double y) const {
        const double fade = std::clamp((radius - along.inside(x, y)) / (2 * radius), 0.0, 1.0);
        return trailingAlpha + (leadingAlpha - trailingAlpha) * fade;
    }
};

// Narrows `span` of the row `y` from the centre to where `plane` holds at
// least `depth` inside.
std::optional<Span> narrowed(const HalfPlane& plane, double y, double depth, Span span) {
    if (std::abs(plane.a) < 1e-12) {
        // A line along the row holds for all of it or none.
        return y * plane.b < depth ? std::nullopt : std::optional(span);
    }
    const double bound = (depth - y * plane.b) / plane.a;
    if (plane.a > 0) {
        span.from = std::max(span.from, bound);
    } else {
        span.to = std::min(span.to, bound);
    }
    return span.from <= span.to ? std::optional(span) : std::nullopt;
}

// Where, in the row `y` from the centre, the wedge holds at least `depth`
// inside each of its edges: -0.5 reaches every pixel it covers at all, +0.5
// only those it covers wholly.
std::optional<Span> rowSpan(const Wedge& wedge, double y, double depth) {
    const double reach = wedge.radius - depth;
    if (reach <= 0 || std::abs(y) >= reach) {
        return std::nullopt;
    }
    const double chord = std::sqrt(reach * reach - y * y);
    std::optional<Span> span = narrowed(wedge.trailing, y, depth, {-chord, chord});
    return span ? narrowed(wedge.leading, y, depth, *span) : span;
}

// The screen blend of a premultiplied channel `source` over the opaque
// channel `destination`, both from 0 to 255: d + s * (255 - d) / 255.
int screened(int destination, int source) {
    const int product = source * (255 - destination) + 128;
    return destination + ((product + (product >> 8)) >> 8);
}

struct Tint {
    int red;
    int green;
    int blue;
};

// Alpha in fixed point, in units of 2^-24: alpha times a channel still fits
// 32 bits, and a run's step, rounded, stays far below a level over the
// longest row.
constexpr double fixedOne = 1 << 24;

std::int32_t fixedAlpha(double alpha) {
    return static_cast<std::int32_t>(std::lround(alpha * fixedOne));
}

// The tint at `alpha` (fixed point, 0 to one) screened over `beneath`.
QRgb screenedPixel(QRgb beneath, std::uint32_t alpha, const Tint& tint) {
    const auto premultiplied = [alpha](int channel) {
        return static_cast<int>((alpha * static_cast<std::uint32_t>(channel) + (1U << 23)) >> 24);
    };
    return qRgb(screened(qRed(beneath), premultiplied(tint.red)),
                screened(qGreen(beneath), premultiplied(tint.green)),
                screened(qBlue(beneath), premultiplied(tint.blue)));
}

// Screens the tint over `count` pixels, at `alpha` on the first and `step`
// more on each further one.
void screenRun(QRgb* pixels, int count, double alpha, double step, const Tint& tint) {
    const std::int32_t first = fixedAlpha(alpha);
    const std::int32_t increment = fixedAlpha(step);
    for (int index = 0; index < count; ++index) {
        const auto clamped = static_cast<std::uint32_t>(std::clamp<std::int32_t>(
            first + index * increment, 0, static_cast<std::int32_t>(fixedOne)));
        pixels[index] = screenedPixel(pixels[index], clamped, tint);
    }
}

} // namespace

namespace RadarSweepRaster {

void screen(QImage& image, const QRect& area, const QPointF& centre, double radius,
            double rotationDegrees, const QColor& tint) {
    Q_ASSERT(image.format() == QImage::Format_RGB32);
    if (radius <= 0) {
        return;
    }
    const QRect within = area & image.rect();
    const double turn = rotationDegrees * std::numbers::pi / 180;
    const double spread = RadarSweepShape::sweepDegrees * std::numbers::pi / 180;
    // The trailing edge lies along the turned x axis, the wedge on its
    // counter-clockwise side, and the leading edge `spread` further round.
    const Wedge wedge{{std::sin(turn), -std::cos(turn)},
                      {std::sin(spread - turn), std::cos(spread - turn)},
                      radius,
                      {std::cos(turn), std::sin(turn)},
                      withOpacity(tint, RadarSweepShape::trailingOpacity).alphaF(),
                      withOpacity(tint, RadarSweepShape::leadingOpacity).alphaF()};
    const Tint rgb{tint.red(), tint.green(), tint.blue()};
    const auto column = [&](double x) { return x + centre.x() - 0.5; };

    const int top = std::max(within.top(), static_cast<int>(std::floor(centre.y() - radius - 1)));
    const int bottom = std::min(within.bottom(), static_cast<int>(std::ceil(centre.y() + radius)));
    for (int row = top; row <= bottom; ++row) {
        const double y = row + 0.5 - centre.y();
        const std::optional<Span> reached = rowSpan(wedge, y, -0.5);
        if (!reached) {
            continue;
        }
        const int first =
            std::max(within.left(), static_cast<int>(std::floor(column(reached->from))));
        const int last = std::min(within.right(), static_cast<int>(std::ceil(column(reached->to))));
        // Wholly covered pixels, whose fade alone sets their alpha.
        int solidFirst = last + 1;
        int solidLast = last;
        if (const std::optional<Span> solid = rowSpan(wedge, y, 0.5)) {
            solidFirst = std::max(first, static_cast<int>(std::ceil(column(solid->from))));
            solidLast = std::min(last, static_cast<int>(std::floor(column(solid->to))));
        }
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
        const auto screenEdge = [&](int from, int to) {
            for (int x = from; x <= to; ++x) {
                const double fromCentre = x + 0.5 - centre.x();
                const double alpha = wedge.alphaAt(fromCentre, y) * wedge.coverageAt(fromCentre, y);
                if (alpha > 0) {
                    pixels[x] = screenedPixel(pixels[x], fixedAlpha(alpha), rgb);
                }
            }
        };
        screenEdge(first, std::min(last, solidFirst - 1));
        // Within the disc the fade needs no clamping: it changes by a
        // constant step from one pixel to the next.
        const double step =
            (wedge.leadingAlpha - wedge.trailingAlpha) * -wedge.along.a / (2 * radius);
        if (solidFirst <= solidLast) {
            screenRun(pixels + solidFirst, solidLast - solidFirst + 1,
                      wedge.alphaAt(solidFirst + 0.5 - centre.x(), y), step, rgb);
        }
        screenEdge(std::max(first, solidLast + 1), last);
    }
}

} // namespace RadarSweepRaster
