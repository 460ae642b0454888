#pragma once

#include <QString>

// How a text from the air or the system is drawn on one line. Control
// characters are made visible, and explicit bidirectional controls, which
// would make one network's name read as another's, are shown instead of
// obeyed. Only the drawing changes: reports, copies and files keep the text.
namespace OneLineDisplayForm {

// `text` with a space for a tab and for each line break, and U+FFFD for any
// other control character and for each bidirectional embedding, override
// and isolate control.
QString of(const QString& text);

// A text the application composes round a localized value: as `of`, but the
// first-strong isolates it sets the value apart with (U+2068, U+2069) are
// obeyed.
QString ofComposed(const QString& text);

} // namespace OneLineDisplayForm
