#include "Support/FakeStatusNotifierWatcher.h"

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher(QDBusConnection connection)
    : connection_(std::move(connection)) {}

FakeStatusNotifierWatcher::~FakeStatusNotifierWatcher() {
    connection_.unregisterObject(watcherPath);
    connection_.unregisterService(watcherService);
}

bool FakeStatusNotifierWatcher::takeName() {
    return connection_.registerService(watcherService);
}

bool FakeStatusNotifierWatcher::serve() {
    return connection_.registerObject(watcherPath, this,
                                      QDBusConnection::ExportScriptableContents |
                                          QDBusConnection::ExportAllProperties);
}

void FakeStatusNotifierWatcher::setHostRegistered(bool registered, bool announce) {
    hostRegistered_ = registered;
    if (announce) {
        registered ? emit StatusNotifierHostRegistered() : emit StatusNotifierHostUnregistered();
    }
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierItem(const QString& service) {
    registrations_.append(service);
    if (!items_.contains(service)) {
        items_.append(service);
    }
    emit StatusNotifierItemRegistered(service);
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierHost(const QString& /*service*/) {
    setHostRegistered(true);
}

QString FakeStatusNotifierWatcher::GetObjectPathForItemName(const QString& /*service*/) {
    return QStringLiteral("/StatusNotifierItem");
}
