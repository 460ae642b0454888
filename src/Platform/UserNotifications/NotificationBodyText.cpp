#include "Platform/UserNotifications/NotificationBodyText.h"

namespace {

const QChar ellipsis(0x2026);

// D-Bus strings cannot carry NUL characters: a body with one would never be sent.
QString withoutNulCharacters(QString text) {
    text.remove(QChar(QChar::Null));
    return text;
}

QString cut(const QString& text) {
    if (text.size() <= NotificationBodyText::maximumLength) {
        return text;
    }
    qsizetype kept = NotificationBodyText::maximumLength - 1;
    if (text.at(kept - 1).isHighSurrogate()) {
        --kept; // never split a character outside the basic plane
    }
    return text.left(kept) + ellipsis;
}

QString markupEscaped(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar character : text) {
        if (character == QLatin1Char('&')) {
            escaped += QLatin1String("&amp;");
        } else if (character == QLatin1Char('<')) {
            escaped += QLatin1String("&lt;");
        } else if (character == QLatin1Char('>')) {
            escaped += QLatin1String("&gt;");
        } else {
            escaped += character;
        }
    }
    return escaped;
}

} // namespace

namespace NotificationBodyText {

QString prepared(const QString& body, bool serverInterpretsMarkup) {
    const QString plain = cut(withoutNulCharacters(body));
    return serverInterpretsMarkup ? markupEscaped(plain) : plain;
}

} // namespace NotificationBodyText
