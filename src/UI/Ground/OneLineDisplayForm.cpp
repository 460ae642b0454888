#include "UI/Ground/OneLineDisplayForm.h"

namespace {

bool isLineSpace(char16_t character) {
    switch (character) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

// Embeddings and overrides (U+202A to U+202E) and isolates (U+2066 to U+2069).
bool isExplicitBidiControl(char16_t character) {
    return (character >= u'\u202A' && character <= u'\u202E') ||
           (character >= u'\u2066' && character <= u'\u2069');
}

bool isFirstStrongIsolateControl(char16_t character) {
    return character == u'\u2068' || character == u'\u2069';
}

QString displayForm(const QString& text, bool obeysFirstStrongIsolates) {
    QString shown = text;
    for (QChar& character : shown) {
        if (isLineSpace(character.unicode())) {
            character = u' ';
        } else if (character.category() == QChar::Other_Control ||
                   (isExplicitBidiControl(character.unicode()) &&
                    !(obeysFirstStrongIsolates &&
                      isFirstStrongIsolateControl(character.unicode())))) {
            character = QChar::ReplacementCharacter;
        }
    }
    return shown;
}

} // namespace

namespace OneLineDisplayForm {

QString of(const QString& text) {
    return displayForm(text, false);
}

QString ofComposed(const QString& text) {
    return displayForm(text, true);
}

} // namespace OneLineDisplayForm
