#include "EndToEnd/AccessibilityTree.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString registry = QStringLiteral("org.a11y.atspi.Registry");
const QString rootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
// Bit positions in the state set.
constexpr int stateChecked = 4;
constexpr int stateFocusable = 11;
constexpr int stateFocused = 12;
constexpr int stateSelected = 23;
constexpr int stateShowing = 25;
constexpr int screenCoordinates = 0;

QDBusMessage call(const QDBusConnection& bus, const AccessibilityTree::Node& node,
                  const QString& interface, const QString& method,
                  const QList<QVariant>& arguments = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(node.service, node.path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, 5'000);
}

QVariant firstResult(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().constFirst()
               : QVariant();
}

} // namespace

std::optional<AccessibilityTree> AccessibilityTree::connect() {
    QDBusInterface launcher(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                            QStringLiteral("org.a11y.Bus"));
    const QDBusReply<QString> address = launcher.call(QStringLiteral("GetAddress"));
    if (!address.isValid() || address.value().isEmpty()) {
        return std::nullopt;
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(address.value(), QStringLiteral("accessibility"));
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    return AccessibilityTree(std::move(bus));
}

std::vector<AccessibilityTree::Node> AccessibilityTree::windows(const QString& application) const {
    std::vector<Node> found;
    for (const Node& candidate : children({registry, rootPath})) {
        if (name(candidate) != application) {
            continue;
        }
        for (const Node& window : children(candidate)) {
            if (isShowing(window)) {
                found.push_back(window);
            }
        }
    }
    return found;
}

std::optional<AccessibilityTree::Node>
AccessibilityTree::find(const Node& root, const std::function<bool(const Node&)>& matches) const {
    for (const Node& child : children(root)) {
        if (!isShowing(child)) {
            continue;
        }
        if (matches(child)) {
            return child;
        }
        if (auto found = find(child, matches)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<AccessibilityTree::Node>
AccessibilityTree::findNamed(const Node& root, const QString& role, const QString& name) const {
    return find(root, [&](const Node& node) {
        return this->name(node) == name && this->role(node) == role;
    });
}

QString AccessibilityTree::name(const Node& node) const {
    const QVariant value =
        firstResult(call(bus_, node, QStringLiteral("org.freedesktop.DBus.Properties"),
                         QStringLiteral("Get"), {accessibleInterface, QStringLiteral("Name")}));
    return value.value<QDBusVariant>().variant().toString();
}

QString AccessibilityTree::role(const Node& node) const {
    return firstResult(call(bus_, node, accessibleInterface, QStringLiteral("GetRoleName")))
        .toString();
}

QRect AccessibilityTree::extents(const Node& node) const {
    const QVariant value = firstResult(call(bus_, node, QStringLiteral("org.a11y.atspi.Component"),
                                            QStringLiteral("GetExtents"),
                                            {QVariant::fromValue(quint32(screenCoordinates))}));
    if (!value.canConvert<QDBusArgument>()) {
        return {};
    }
    const auto argument = value.value<QDBusArgument>();
    int x = 0, y = 0, width = 0, height = 0;
    argument.beginStructure();
    argument >> x >> y >> width >> height;
    argument.endStructure();
    return {x, y, width, height};
}

QString AccessibilityTree::text(const Node& node) const {
    return firstResult(call(bus_, node, QStringLiteral("org.a11y.atspi.Text"),
                            QStringLiteral("GetText"), {0, -1}))
        .toString();
}

std::vector<AccessibilityTree::Node> AccessibilityTree::children(const Node& node) const {
    const QVariant value =
        firstResult(call(bus_, node, accessibleInterface, QStringLiteral("GetChildren")));
    std::vector<Node> found;
    if (!value.canConvert<QDBusArgument>()) {
        return found;
    }
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QString service;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> service >> path;
        argument.endStructure();
        found.push_back({service, path.path()});
    }
    argument.endArray();
    return found;
}

bool AccessibilityTree::isShowing(const Node& node) const {
    return hasState(node, stateShowing);
}

bool AccessibilityTree::isFocusable(const Node& node) const {
    return hasState(node, stateFocusable);
}

bool AccessibilityTree::isFocused(const Node& node) const {
    return hasState(node, stateFocused);
}

bool AccessibilityTree::isSelected(const Node& node) const {
    return hasState(node, stateSelected);
}

bool AccessibilityTree::isChecked(const Node& node) const {
    return hasState(node, stateChecked);
}

bool AccessibilityTree::doAction(const Node& node, const QString& action) const {
    const QString actionInterface = QStringLiteral("org.a11y.atspi.Action");
    const QVariant value =
        firstResult(call(bus_, node, actionInterface, QStringLiteral("GetActions")));
    if (!value.canConvert<QDBusArgument>()) {
        return false;
    }
    const auto argument = value.value<QDBusArgument>();
    QStringList names;
    argument.beginArray();
    while (!argument.atEnd()) {
        QString name, description, keyBinding;
        argument.beginStructure();
        argument >> name >> description >> keyBinding;
        argument.endStructure();
        names << name;
    }
    argument.endArray();
    const qsizetype index = names.indexOf(action);
    return index >= 0 &&
           firstResult(call(bus_, node, actionInterface, QStringLiteral("DoAction"), {int(index)}))
               .toBool();
}

bool AccessibilityTree::hasState(const Node& node, int state) const {
    const auto states = qdbus_cast<QList<quint32>>(
        firstResult(call(bus_, node, accessibleInterface, QStringLiteral("GetState"))));
    return states.size() > state / 32 && (states[state / 32] & (1u << (state % 32))) != 0;
}
