#include "Platform/AppKit/WindowFrames/LogicalSizeKeeping.h"

#include <gtest/gtest.h>
#include <vector>

#include <QStringList>

// A window seen at sizes and scales in turn, after it was shown at 760x460 at
// the first, no smaller than 720x440: the size it is asked for at each, "-"
// for none. One seen still (no size) is at the size and scale last seen, and
// asked what is asked there.
TEST(LogicalSizeKeepingTest, AsksForItsSizeOnlyWhereAChangeOfScaleAloneChangedIt) {
    struct Seen {
        QSize size;
        qreal ratio;
        bool isFilling = false;
    };
    const Seen still{};
    // Filling a monitor at that scale.
    const auto filled = [](qreal ratio, QSize size = {2560, 1585}) {
        return Seen{size, ratio, true};
    };
    const struct {
        const char* what;
        qreal shownAt;
        std::vector<Seen> seen;
        const char* asked;
    } rows[] = {
        {"to twice the scale at its device size", 1, {{{380, 230}, 2}}, "760x460"},
        {"to half the scale at its device size", 2, {{{1520, 920}, 1}}, "760x460"},
        {"to a scale of 1.5", 1, {{{507, 307}, 1.5}}, "760x460"},
        {"moved by Qt at its size", 1, {{{760, 460}, 2}}, "-"},
        {"asked once per change", 1, {{{380, 230}, 2}, {{380, 230}, 2}}, "760x460, -"},
        {"asked size landed, then back",
         1,
         {{{380, 230}, 2}, {{760, 460}, 2}, {{1520, 920}, 1}},
         "760x460, -, 760x460"},
        {"not given, back, across again",
         1,
         {{{380, 230}, 2}, {{760, 460}, 1}, {{380, 230}, 2}},
         "760x460, -, 760x460"},
        {"resized by the user, then across", 1, {{{800, 500}, 1}, {{400, 250}, 2}}, "-, 800x500"},
        {"asked size dropped, held to the limits at the new scale: asked again once, still",
         1,
         {{{380, 230}, 2}, {{430, 290}, 2}, still, still},
         "760x460, -, 760x460, -"},
        {"asked size landed: nothing asked when still",
         1,
         {{{380, 230}, 2}, {{760, 460}, 2}, still},
         "760x460, -, -"},
        {"still after a move at its size: nothing asked", 1, {{{760, 460}, 2}, still}, "-, -"},
        {"dragged on: given its device size of before, held to the minimum there; asked once still",
         1,
         {{{380, 230}, 2}, {{760, 460}, 2}, {{720, 440}, 2}, still, {{760, 460}, 2}, still},
         "760x460, -, -, 760x460, -, -"},
        {"dragged on from twice the scale: given its device size of before; asked once still",
         2,
         {{{1520, 920}, 1}, {{760, 460}, 1}, {{1520, 920}, 1}, still},
         "760x460, -, -, 760x460"},
        {"given its device size of before again once asked: taken",
         1,
         {{{380, 230}, 2},
          {{760, 460}, 2},
          {{720, 440}, 2},
          still,
          {{720, 440}, 2},
          still,
          {{1440, 880}, 1}},
         "760x460, -, -, 760x460, -, -, 720x440"},
        {"restored after filling a monitor of twice the scale, held to the minimum there: asked "
         "once still",
         1,
         {filled(2), {{1440, 880}, 1}, still},
         "-, -, 760x460"},
        {"restored after filling a monitor of half the scale, seen at the filled size for a "
         "moment: not taken",
         2,
         {filled(1), {{2560, 1585}, 1}, {{760, 460}, 2}, still},
         "-, -, -, -"},
        {"resized by the user after the size landed, by a pixel too: kept",
         1,
         {{{380, 230}, 2}, {{760, 460}, 2}, {{800, 500}, 2}, {{801, 500}, 2}, still},
         "760x460, -, -, -, -"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        LogicalSizeKeeping keeping;
        keeping.shown(QSize(760, 460), row.shownAt, QSize(720, 440));
        QStringList asked;
        Seen last{QSize(760, 460), row.shownAt};
        for (const Seen& seen : row.seen) {
            if (seen.isFilling) {
                keeping.filling(seen.size, seen.ratio);
                asked << QStringLiteral("-");
                continue;
            }
            const std::optional<QSize> size = seen.ratio == 0
                                                  ? keeping.unanswered(last.size, last.ratio)
                                                  : keeping.seen(seen.size, seen.ratio);
            if (size && seen.ratio == 0) {
                keeping.askedAgain();
            }
            last = seen.ratio == 0 ? last : seen;
            asked << (size ? QStringLiteral("%1x%2").arg(size->width()).arg(size->height())
                           : QStringLiteral("-"));
        }
        EXPECT_EQ(asked.join(", ").toStdString(), row.asked);
    }
}
