#pragma once

#include <optional>
#include <utility>

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a bus address ("unix:path=/run/bus,guid=..."), read as libdbus
// reads it: a method before the first colon, then key=value pairs separated
// by commas, each value unescaped (%xx is the byte xx).
struct MessageBusAddressEntry {
    QString method;
    QList<std::pair<QString, QByteArray>> values;

    // The first value given for `key`, as libdbus takes it.
    std::optional<QByteArray> value(QLatin1StringView key) const;

    // The entries of `address` (separated by semicolons), in order. Empty
    // where libdbus refuses the whole address: an entry without a colon, a
    // pair without '=', a byte that should have been escaped, or a '%' not
    // followed by two hex digits.
    static std::optional<QList<MessageBusAddressEntry>> parse(const QString& address);

    // `value` escaped for an address: every byte but [-0-9A-Za-z_/\.*] as %xx.
    static QString escaped(const QByteArray& value);
};
