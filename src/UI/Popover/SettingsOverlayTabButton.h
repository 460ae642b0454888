#pragma once

#include "UI/Popover/SettingsOverlayTab.h"

#include <functional>
#include <optional>

#include <QAbstractButton>

class FocusRing;
class SymbolImage;

// One tab of the settings card: its symbol and title over a 2 pt underline,
// in the accent colour while selected and dimmed otherwise.
class SettingsOverlayTabButton : public QAbstractButton {
    Q_OBJECT
public:
    SettingsOverlayTabButton(SettingsOverlayTab tab, bool isSelected, std::function<void()> action,
                             QWidget* parent = nullptr);

    SettingsOverlayTab tab() const { return tab_; }
    bool isSelected() const { return isSelected_; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The symbol and title, side by side, centred inside the side padding.
    QRectF labelRect() const;
    // Under the label, exactly as wide.
    QRectF underlineRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;

    SettingsOverlayTab tab_;
    bool isSelected_;
    std::function<void()> action_;
    FocusRing* focusRing_;
};
