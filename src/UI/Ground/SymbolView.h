#pragma once

#include "Platform/Symbols/SymbolImage.h"

#include <optional>

#include <QColor>
#include <QWidget>

// A symbol image, tinted and centred in a frame; empty when the symbol map
// does not know the name. Without a frame size it takes the symbol's size.
class SymbolView : public QWidget {
    Q_OBJECT
public:
    SymbolView(const QString& symbolName, int pixelSize, const QColor& color,
               QWidget* parent = nullptr);

    const QString& symbolName() const { return symbolName_; }
    bool hasImage() const { return image_.has_value(); }
    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    QSize sizeHint() const override { return {pixelSize_, pixelSize_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbolName_;
    int pixelSize_;
    QColor color_;
    std::optional<SymbolImage> image_;
};
