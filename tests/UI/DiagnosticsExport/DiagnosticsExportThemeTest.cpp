#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"

#include <gtest/gtest.h>
#include <vector>

// The window's colours in 8-bit sRGB: the backgrounds from their components
// (0.08, 0.09, 0.13 and 0.04, 0.05, 0.08), the rest a standard colour with an opacity.
TEST(DiagnosticsExportThemeTest, ColoursAreTheWindowsOwn) {
    const std::vector<std::pair<QColor, QColor>> colours{
        {DiagnosticsExportTheme::backgroundTop(), QColor(20, 23, 33)},
        {DiagnosticsExportTheme::backgroundBottom(), QColor(10, 13, 20)},
        {DiagnosticsExportTheme::panelBackground(), QColor(255, 255, 255, 13)},
        {DiagnosticsExportTheme::panelBorder(), QColor(255, 255, 255, 36)},
        {DiagnosticsExportTheme::primaryText(), QColor(255, 255, 255, 242)},
        {DiagnosticsExportTheme::secondaryText(), QColor(255, 255, 255, 184)},
        {DiagnosticsExportTheme::accent(), QColor(0x30, 0xD1, 0x58, 230)},
        {DiagnosticsExportTheme::success(), QColor(0x30, 0xD1, 0x58, 230)},
        {DiagnosticsExportTheme::error(), QColor(0xFF, 0x45, 0x3A, 230)},
    };
    for (const auto& [actual, expected] : colours) {
        EXPECT_EQ(actual.rgba(), expected.rgba()) << expected.name(QColor::HexArgb).toStdString();
    }
    EXPECT_EQ(DiagnosticsExportTheme::messageColor(DiagnosticsExportMessageColor::secondaryText),
              DiagnosticsExportTheme::secondaryText());
    EXPECT_EQ(DiagnosticsExportTheme::messageColor(DiagnosticsExportMessageColor::success),
              DiagnosticsExportTheme::success());
    EXPECT_EQ(DiagnosticsExportTheme::messageColor(DiagnosticsExportMessageColor::error),
              DiagnosticsExportTheme::error());
}
