#pragma once

#include <optional>

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// A symbol drawn as its Material Icons glyph: a square `pixelSize` wide and
// high, tinted with whatever colour the caller paints it in.
class SymbolImage {
public:
    static inline const QString fontFamily = QStringLiteral("Material Icons");

    // The image of `symbolName`, or nothing when the symbol map does not know
    // the name; the caller decides what shows instead.
    static std::optional<SymbolImage> named(const QString& symbolName, int pixelSize);

    const QString& ligature() const { return ligature_; }
    // The face and size `paint` draws the ligature in.
    const QFont& font() const { return font_; }
    int pixelSize() const { return pixelSize_; }
    QSizeF size() const { return {double(pixelSize_), double(pixelSize_)}; }

    // Draws the glyph centred in `rect`.
    void paint(QPainter& painter, const QRectF& rect, const QColor& color) const;

private:
    SymbolImage(QString ligature, int pixelSize);

    QString ligature_;
    int pixelSize_;
    QFont font_;
};
