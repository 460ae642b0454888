#pragma once

#include <QColor>

class QPalette;

// The settings window's colours, taken from the desktop's palette so that the
// window follows a light or a dark desktop: the text colour as the primary
// colour, a fainter shade of it for secondary text, and the selection colour
// as the accent. Blue and orange are the named colours of the same appearance.
struct SettingsColors {
    QColor background;
    QColor primary;
    QColor secondary;
    QColor accent;
    QColor blue;
    QColor orange;

    bool operator==(const SettingsColors&) const = default;

    static SettingsColors from(const QPalette& palette);

    // A desktop whose window colour is darker than middle grey.
    static bool isDark(const QPalette& palette);

    QColor cardFill() const;         // primary at 0.05
    QColor cardStroke() const;       // primary at 0.09
    QColor badgeFill() const;        // primary at 0.08
    QColor divider() const;          // primary at 0.12
    QColor switchOffTrack() const;   // primary at 0.18
    QColor selectedTabFill() const;  // accent at 0.14
    QColor updateCardFill() const;   // blue at 0.08
    QColor updateCardStroke() const; // blue at 0.2
};
