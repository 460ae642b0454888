#pragma once

#include <optional>

#include <QString>

// Texts are equal when they are canonically equivalent: "é" written as one
// code point equals "e" followed by a combining acute accent.
bool canonicallyEqual(const QString& left, const QString& right);
bool canonicallyEqual(const std::optional<QString>& left, const std::optional<QString>& right);
