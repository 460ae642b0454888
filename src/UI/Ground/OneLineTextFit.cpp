#include "UI/Ground/OneLineTextFit.h"

#include "UI/Ground/MonospacedDigits.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>

namespace {

const QString ellipsis = QStringLiteral("\u2026");

// The first `count` characters, without a split surrogate pair at the end.
QString leadingPart(const QString& text, qsizetype count) {
    if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate()) {
        --count;
    }
    return text.left(count);
}

// The last `count` characters, without a split surrogate pair at the start.
QString trailingPart(const QString& text, qsizetype count) {
    if (count > 0 && count < text.size() && text.at(text.size() - count).isLowSurrogate()) {
        --count;
    }
    return text.right(count);
}

// `text` with all but `kept` characters replaced by one ellipsis.
QString cut(const QString& text, qsizetype kept, Qt::TextElideMode mode) {
    switch (mode) {
    case Qt::ElideLeft:
        return ellipsis + trailingPart(text, kept);
    case Qt::ElideMiddle:
        return leadingPart(text, kept - kept / 2) + ellipsis + trailingPart(text, kept / 2);
    default:
        return leadingPart(text, kept) + ellipsis;
    }
}

// The longest cut of `text` that fits `width`, found by bisection on the
// number of characters kept.
QString elided(const QString& text, const QFont& font, const OneLineTextStyle& style,
               double width) {
    qsizetype fitting = -1;
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low <= high) {
        const qsizetype kept = (low + high) / 2;
        if (OneLineTextFit::widthOf(cut(text, kept, style.elideMode), font,
                                    style.monospacedDigits) <= width) {
            fitting = kept;
            low = kept + 1;
        } else {
            high = kept - 1;
        }
    }
    return fitting < 0 ? QString() : cut(text, fitting, style.elideMode);
}

QFont sized(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

double OneLineTextFit::widthOf(const QString& text, const QFont& font, bool monospacedDigits) {
    return monospacedDigits ? MonospacedDigits::width(text, font)
                            : QFontMetricsF(font).horizontalAdvance(text);
}

OneLineTextFit OneLineTextFit::fitting(const QString& text, const OneLineTextStyle& style,
                                       double width) {
    const int fullSize = std::max(1, style.font.pixelSize());
    const double scale = std::clamp(style.minimumScale, 0.0, 1.0);
    // The tolerance keeps a product such as 10 × 0.8 = 8.000000001 at 8.
    const int smallestSize = std::max(1, static_cast<int>(std::ceil(fullSize * scale - 1e-9)));
    for (int size = fullSize; size >= smallestSize; --size) {
        if (widthOf(text, sized(style.font, size), style.monospacedDigits) <= width) {
            return {size, text};
        }
    }
    return {smallestSize, elided(text, sized(style.font, smallestSize), style, width)};
}
