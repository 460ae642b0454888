#pragma once

#include <optional>

#include <QString>

// Reads a whole text as a real number the way the C library does in the "C"
// locale ("." as decimal point, whatever the user's locale). Leading
// whitespace, or anything left over after the number, makes it no number.
std::optional<double> numberFromText(const QString& text);
