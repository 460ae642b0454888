#include "Platform/Symbols/SymbolImage.h"

#include "Platform/Symbols/SymbolMap.h"

#include <QPainter>

SymbolImage::SymbolImage(QString ligature, int pixelSize)
    : ligature_(std::move(ligature)), pixelSize_(pixelSize), font_(fontFamily) {
    font_.setPixelSize(pixelSize);
    // The ligature must stay one word for the font to substitute its glyph.
    font_.setStyleStrategy(QFont::NoFontMerging);
}

std::optional<SymbolImage> SymbolImage::named(const QString& symbolName, int pixelSize) {
    const std::optional<QString> ligature = SymbolMap::ligature(symbolName);
    if (!ligature || pixelSize <= 0) {
        return std::nullopt;
    }
    return SymbolImage(*ligature, pixelSize);
}

void SymbolImage::paint(QPainter& painter, const QRectF& rect, const QColor& color) const {
    painter.save();
    painter.setFont(font_);
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, ligature_);
    painter.restore();
}
