#pragma once

#include "Platform/Symbols/SymbolImage.h"

#include <functional>
#include <optional>

#include <QAbstractButton>
#include <QColor>
#include <QFont>

class FocusRing;

// A sidebar button of the settings window: a symbol and a title on a rounded
// background that is tinted only while the button is selected. It fills the
// sidebar's width, runs its action when pressed and has no hover effect.
class SettingsTabButton : public QAbstractButton {
    Q_OBJECT
public:
    SettingsTabButton(const QString& title, const QString& systemImageName, bool isSelected,
                      std::function<void()> action, QWidget* parent = nullptr);

    const QString& systemImageName() const { return systemImageName_; }
    bool isSelected() const { return isSelected_; }
    void setSelected(bool selected);

    // Accent and selection tint come from the palette's roles.
    void setColors(const QColor& primary, const QColor& accent, const QColor& selectedFill);

    // What the button draws in its current state.
    QColor foregroundColor() const;
    QColor backgroundColor() const; // transparent while not selected
    QFont titleFont() const;        // 13 pt, semibold while selected, medium otherwise

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString systemImageName_;
    bool isSelected_;
    std::function<void()> action_;
    std::optional<SymbolImage> symbol_;
    QColor primary_;
    QColor accent_;
    QColor selectedFill_;
    FocusRing* focusRing_;
};
