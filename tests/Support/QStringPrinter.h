#pragma once

#include <ostream>

#include <QString>

// Lets GoogleTest show a QString as its text in failure messages.
inline void PrintTo(const QString& text, std::ostream* stream) {
    *stream << '"' << text.toStdString() << '"';
}
