#include "Platform/DBus/MessageBusAddressEntry.h"

namespace {

// The bytes libdbus leaves as they are in an address value.
bool isOptionallyEscaped(char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || QByteArrayView("-_/\\.*").contains(byte);
}

int hexDigit(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

std::optional<QByteArray> unescaped(QByteArrayView value) {
    QByteArray bytes;
    for (qsizetype index = 0; index < value.size(); ++index) {
        const char byte = value[index];
        if (isOptionallyEscaped(byte)) {
            bytes += byte;
            continue;
        }
        if (byte != '%' || index + 2 >= value.size()) {
            return std::nullopt;
        }
        const int high = hexDigit(value[index + 1]);
        const int low = hexDigit(value[index + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += char(high * 16 + low);
        index += 2;
    }
    return bytes;
}

std::optional<MessageBusAddressEntry> parseEntry(QByteArrayView text) {
    const qsizetype colon = text.indexOf(':');
    if (colon <= 0) {
        return std::nullopt;
    }
    MessageBusAddressEntry entry{QString::fromLatin1(text.first(colon)), {}};
    const QByteArrayView pairs = text.sliced(colon + 1);
    if (pairs.isEmpty()) {
        return entry;
    }
    for (const QByteArrayView pair : pairs.toByteArray().split(',')) {
        const qsizetype equals = pair.indexOf('=');
        // libdbus wants both a key and a value.
        if (equals <= 0 || equals + 1 == pair.size()) {
            return std::nullopt;
        }
        const std::optional<QByteArray> value = unescaped(pair.sliced(equals + 1));
        if (!value) {
            return std::nullopt;
        }
        entry.values.append({QString::fromLatin1(pair.first(equals)), *value});
    }
    return entry;
}

} // namespace

std::optional<QByteArray> MessageBusAddressEntry::value(QLatin1StringView key) const {
    for (const auto& [name, value] : values) {
        if (name == key) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<QList<MessageBusAddressEntry>> MessageBusAddressEntry::parse(const QString& address) {
    QList<MessageBusAddressEntry> entries;
    for (const QByteArray& text : address.toUtf8().split(';')) {
        if (text.isEmpty()) {
            continue;
        }
        std::optional<MessageBusAddressEntry> entry = parseEntry(text);
        if (!entry) {
            return std::nullopt;
        }
        entries.append(std::move(*entry));
    }
    return entries;
}

QString MessageBusAddressEntry::escaped(const QByteArray& value) {
    static constexpr char digits[] = "0123456789abcdef";
    QString escapedValue;
    for (const char byte : value) {
        if (isOptionallyEscaped(byte)) {
            escapedValue += QLatin1Char(byte);
        } else {
            const auto code = static_cast<unsigned char>(byte);
            escapedValue += QLatin1Char('%');
            escapedValue += QLatin1Char(digits[code >> 4]);
            escapedValue += QLatin1Char(digits[code & 0xf]);
        }
    }
    return escapedValue;
}
