#pragma once

#include <QFont>
#include <QString>

// How a one-line text fits a width: first drawn smaller, down to a fraction of
// its font size, then cut with an ellipsis.
struct OneLineTextStyle {
    QFont font;                // the full-size font, sized in pixels
    double minimumScale = 1.0; // the smallest fraction of the size the text may shrink to
    Qt::TextElideMode elideMode = Qt::ElideRight;
    bool monospacedDigits = false;
};

struct OneLineTextFit {
    int pixelSize; // the size the text is drawn at
    QString text;  // the text as drawn, with an ellipsis where it was cut

    bool operator==(const OneLineTextFit&) const = default;

    // The largest size, in whole pixels, at which `text` fits `width`; when
    // even the smallest allowed size is too wide, that size with the text cut.
    static OneLineTextFit fitting(const QString& text, const OneLineTextStyle& style, double width);

    // The width `text` takes in `font` with or without monospaced digits.
    static double widthOf(const QString& text, const QFont& font, bool monospacedDigits);
};
