#include "Platform/DBus/MessageBusAddressEntry.h"

#include <dbus/dbus.h>

namespace {

// The keys a client reads to connect, for every method libdbus knows.
const char* const clientKeys[] = {"path", "abstract", "tmpdir", "dir",       "runtime",
                                  "host", "port",     "family", "noncefile", "guid"};

MessageBusAddressEntry entryOf(DBusAddressEntry* parsed) {
    MessageBusAddressEntry entry{dbus_address_entry_get_method(parsed), {}};
    for (const char* key : clientKeys) {
        if (const char* value = dbus_address_entry_get_value(parsed, key)) {
            entry.values.emplace(key, value);
        }
    }
    return entry;
}

} // namespace

std::optional<QByteArray> MessageBusAddressEntry::value(const QByteArray& key) const {
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

std::optional<QList<MessageBusAddressEntry>> MessageBusAddressEntry::parse(const QString& address) {
    DBusAddressEntry** parsed = nullptr;
    int count = 0;
    DBusError error;
    dbus_error_init(&error);
    if (!dbus_parse_address(address.toLocal8Bit().constData(), &parsed, &count, &error)) {
        dbus_error_free(&error);
        return std::nullopt;
    }
    QList<MessageBusAddressEntry> entries;
    for (int index = 0; index < count; ++index) {
        entries.append(entryOf(parsed[index]));
    }
    dbus_address_entries_free(parsed);
    return entries;
}

QString MessageBusAddressEntry::escaped(const QByteArray& value) {
    char* escapedValue = dbus_address_escape_value(value.constData());
    // Only running out of memory makes libdbus give nothing back.
    const QString result = escapedValue ? QString::fromLatin1(escapedValue) : QString();
    dbus_free(escapedValue);
    return result;
}
