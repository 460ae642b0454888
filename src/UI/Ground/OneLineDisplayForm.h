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

} // namespace OneLineDisplayForm
