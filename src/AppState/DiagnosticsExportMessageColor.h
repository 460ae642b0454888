#pragma once

// The colour role of the export window's feedback line; the window's theme
// gives each role its colour.
enum class DiagnosticsExportMessageColor { secondaryText, success, error };
