#include "Support/SilentNameOwner.h"

#include <dbus/dbus.h>

SilentNameOwner::SilentNameOwner(const QString& busAddress, const QString& name) {
    connection_ = dbus_connection_open_private(busAddress.toUtf8().constData(), nullptr);
    if (connection_ == nullptr || !dbus_bus_register(connection_, nullptr)) {
        return;
    }
    ownsName_ =
        dbus_bus_request_name(connection_, name.toUtf8().constData(), DBUS_NAME_FLAG_DO_NOT_QUEUE,
                              nullptr) == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
}

SilentNameOwner::~SilentNameOwner() {
    if (connection_ != nullptr) {
        dbus_connection_close(connection_);
        dbus_connection_unref(connection_);
    }
}
