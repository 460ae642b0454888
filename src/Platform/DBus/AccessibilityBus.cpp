#include "Platform/DBus/AccessibilityBus.h"

#include "Platform/DBus/MessageBusProbe.h"

#include <chrono>
#include <optional>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>

namespace {

const QString launcherService = QStringLiteral("org.a11y.Bus");
const QString launcherPath = QStringLiteral("/org/a11y/bus");
// The bridge reads this variable first, and connects to what it names alone.
constexpr char addressVariable[] = "AT_SPI_BUS_ADDRESS";
// A method libdbus does not know: connecting to it fails at once.
const QString failingAddress = QStringLiteral("pelmor-accessibility-bus-does-not-answer:");

// Asks the launcher where its bus is, and, at the same time, the two status
// properties the bridge reads with blocking calls: the bus's address, empty
// where the launcher gives none; none where a question is left unanswered
// within `bound`.
std::optional<QString> askLauncher(const QDBusConnection& sessionBus,
                                   std::chrono::milliseconds bound) {
    const auto ask = [&](const QString& interface, const QString& method,
                         const QVariantList& arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(launcherService, launcherPath, interface, method);
        call.setArguments(arguments);
        return sessionBus.asyncCall(call, int(bound.count()));
    };
    const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
    const QString status = QStringLiteral("org.a11y.Status");
    QDBusPendingCall calls[] = {
        ask(launcherService, QStringLiteral("GetAddress"), {}),
        ask(properties, QStringLiteral("Get"), {status, QStringLiteral("ScreenReaderEnabled")}),
        ask(properties, QStringLiteral("Get"), {status, QStringLiteral("IsEnabled")}),
    };
    for (QDBusPendingCall& call : calls) {
        call.waitForFinished();
        const QDBusError::ErrorType error = call.error().type();
        if (error == QDBusError::NoReply || error == QDBusError::Timeout) {
            return std::nullopt;
        }
    }
    const QDBusMessage reply = calls[0].reply();
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().constFirst().toString()
               : QString();
}

QString pointTheBridgeAway(const QString& silent) {
    qputenv(addressVariable, failingAddress.toLatin1());
    return silent;
}

} // namespace

namespace AccessibilityBus {

QString keepTheBridgeOffASilentBus(const QString& rootWindowAddress) {
    QStringList addresses;
    if (const QString configured = qEnvironmentVariable(addressVariable); !configured.isEmpty()) {
        addresses = {configured};
    } else {
        // Without a session bus, the bridge looks for no accessibility bus.
        const QDBusConnection sessionBus = QDBusConnection::sessionBus();
        if (!sessionBus.isConnected()) {
            return {};
        }
        if (sessionBus.interface()->isServiceRegistered(launcherService).value()) {
            const std::optional<QString> launcherAddress =
                askLauncher(sessionBus, MessageBusProbe::defaultBound);
            if (!launcherAddress) {
                return pointTheBridgeAway(QStringLiteral("the accessibility launcher ") +
                                          launcherService);
            }
            addresses.append(*launcherAddress);
        }
        addresses.append(rootWindowAddress);
    }
    addresses.removeAll(QString());
    addresses.removeDuplicates();
    for (const QString& address : addresses) {
        if (MessageBusProbe::probe(address) == MessageBusProbe::Outcome::doesNotAnswer) {
            return pointTheBridgeAway(QStringLiteral("the accessibility bus at ") + address);
        }
    }
    return {};
}

} // namespace AccessibilityBus
