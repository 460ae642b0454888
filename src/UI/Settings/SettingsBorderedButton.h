#pragma once

#include <QPushButton>

class FocusRing;

// A bordered push button of the settings window, in the system font at 13 pt,
// with room on either side of its title. The prominent kind is filled with
// the accent colour behind white text. Keyboard focus shows as the focus ring
// in the palette's accent, not as the style's own focus frame.
class SettingsBorderedButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int horizontalPadding = 10;
    static constexpr int minimumHeight = 24;

    explicit SettingsBorderedButton(const QString& title, QWidget* parent = nullptr);

    void setProminentColor(const QColor& accent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FocusRing* focusRing_;
};
