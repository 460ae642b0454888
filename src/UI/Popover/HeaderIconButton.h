#pragma once

#include "Platform/Symbols/SymbolImage.h"

#include <functional>
#include <optional>

#include <QAbstractButton>

class FocusRing;

// A round 22 pt icon button of the popover header: the symbol on a faint
// circle. An unknown symbol leaves the circle alone, still clickable.
class HeaderIconButton : public QAbstractButton {
    Q_OBJECT
public:
    HeaderIconButton(const QString& symbolName, const QString& accessibilityLabel,
                     std::function<void()> action, QWidget* parent = nullptr);

    bool hasImage() const { return image_.has_value(); }

    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SymbolImage> image_;
    std::function<void()> action_;
    FocusRing* focusRing_;
};
