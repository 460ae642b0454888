#include "System/NumberText.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>

namespace {

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

bool beginsWithWhitespace(const QByteArray& bytes) {
    switch (bytes.front()) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case ' ':
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<double> numberFromText(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || beginsWithWhitespace(bytes)) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = strtod_l(bytes.constData(), &end, cLocale());
    if (end != bytes.constData() + bytes.size()) {
        return std::nullopt;
    }
    return value;
}
