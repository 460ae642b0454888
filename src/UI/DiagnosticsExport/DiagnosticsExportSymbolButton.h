#pragma once

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/WindowBorderedButton.h"

#include <optional>

// A bordered tool-window button showing a symbol, alone or before a text
// label (6 points apart), centred together, in the export window's primary
// text colour: white at 0.08 fill and the panel border outline.
class DiagnosticsExportSymbolButton : public WindowBorderedButton {
    Q_OBJECT
public:
    DiagnosticsExportSymbolButton(const QString& symbolName, int symbolSize,
                                  const QString& label = QString(), QWidget* parent = nullptr);

    const QString& symbolName() const { return symbolName_; }
    bool hasSymbolImage() const { return symbol_.has_value(); }
    const QString& label() const { return label_; }
    void setContentPadding(int horizontal, int vertical);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double contentWidth() const;

    QString symbolName_;
    int symbolSize_;
    std::optional<SymbolImage> symbol_;
    QString label_;
    int horizontalPadding_ = 10;
    int verticalPadding_ = 5;
};
