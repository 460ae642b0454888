#include "Platform/DBus/LatestDBusCall.h"

#include <QDBusPendingCallWatcher>

void LatestDBusCall::call(const QDBusConnection& connection, const QDBusMessage& message,
                          Answered answered) {
    const quint64 thisCall = ++latest_;
    auto* pending = new QDBusPendingCallWatcher(connection.asyncCall(message), context_);
    QObject::connect(
        pending, &QDBusPendingCallWatcher::finished, context_,
        [this, thisCall, answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            if (thisCall == latest_) {
                answered(finished->reply());
            }
        });
}
