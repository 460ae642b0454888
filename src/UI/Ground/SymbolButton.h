#pragma once

#include "Platform/Symbols/SymbolImage.h"

#include <optional>

#include <QAbstractButton>
#include <QColor>

class FocusRing;

// A plain button (no bezel) whose label is a tinted symbol image, a round
// one: its focus ring is a circle. It keeps its
// size and its action when the symbol map does not know the name.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(const QString& symbolName, int pixelSize, const QColor& color,
                 const QString& accessibleLabel, QWidget* parent = nullptr);

    bool hasImage() const { return image_.has_value(); }

    QSize sizeHint() const override { return {pixelSize_, pixelSize_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int pixelSize_;
    QColor color_;
    std::optional<SymbolImage> image_;
    FocusRing* focusRing_;
};
