#pragma once

#include <map>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a bus address ("unix:path=/run/bus,guid=..."), as libdbus
// itself reads it: its method and the values of the keys a client connects
// by, each unescaped and, as libdbus hands it on, ending at its first NUL.
struct MessageBusAddressEntry {
    QByteArray method;
    std::map<QByteArray, QByteArray> values;

    // The value given for `key`, as libdbus takes it.
    std::optional<QByteArray> value(const QByteArray& key) const;

    // The entries of `address`, in order; none where libdbus refuses the whole
    // address (an empty entry, a pair without '=', a byte that should have
    // been escaped, ...). libdbus's own parser reads it, so that what is
    // probed is exactly what Qt's connect then tries.
    static std::optional<QList<MessageBusAddressEntry>> parse(const QString& address);

    // `value` escaped for an address, as libdbus escapes it.
    static QString escaped(const QByteArray& value);
};
