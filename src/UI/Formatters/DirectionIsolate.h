#pragma once

#include <QString>

// Text set apart from the direction of the text round it.
namespace DirectionIsolate {

// `text` inside a first-strong isolate (U+2068 ... U+2069): it takes its
// direction from its own first letter and leaves the sentence round it as
// it is, so that a right-to-left date or number inside an English sentence
// reads as its locale writes it, and the sentence still reads left to right.
QString firstStrong(const QString& text);

} // namespace DirectionIsolate
