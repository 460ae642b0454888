#include "Platform/AppKit/Tray/DBusMenuExporter.h"

#include "Platform/AppKit/Tray/TrayDBusTypes.h"

#include <QAction>
#include <QDBusError>
#include <QGuiApplication>
#include <QMetaObject>

namespace {

constexpr int rootId = 0;

// dbusmenu marks a mnemonic with '_' where Qt uses '&': a literal '_' is
// doubled, and a literal '&' stays.
QString dbusMenuLabel(const QString& text) {
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                label += QLatin1Char('&');
                ++i;
            } else {
                label += QLatin1Char('_');
            }
        } else if (c == QLatin1Char('_')) {
            label += QStringLiteral("__");
        } else {
            label += c;
        }
    }
    return label;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(QObject* parent) : QObject(parent) {
    registerTrayDBusTypes();
}

void DBusMenuExporter::setCommands(const QList<QAction*>& commands) {
    commands_.clear();
    for (QAction* command : commands) {
        commands_.append(command);
    }
    emit LayoutUpdated(++revision_, rootId);
}

QString DBusMenuExporter::textDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                                 : QStringLiteral("ltr");
}

QVariantMap DBusMenuExporter::propertiesOf(int id, const QStringList& names) const {
    QVariantMap properties;
    if (id == rootId) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction* command = commands_.value(id - 1)) {
        properties.insert(QStringLiteral("label"), dbusMenuLabel(command->text()));
        properties.insert(QStringLiteral("enabled"), command->isEnabled());
        properties.insert(QStringLiteral("visible"), command->isVisible());
    }
    if (names.isEmpty()) {
        return properties;
    }
    QVariantMap asked;
    for (const QString& name : names) {
        if (properties.contains(name)) {
            asked.insert(name, properties.value(name));
        }
    }
    return asked;
}

DBusMenuLayoutItem DBusMenuExporter::layoutOf(int id, int depth, const QStringList& names) const {
    DBusMenuLayoutItem item{id, propertiesOf(id, names), {}};
    if (id == rootId && depth != 0) {
        for (int child = 1; child <= commands_.size(); ++child) {
            item.children.append(layoutOf(child, depth - 1, names));
        }
    }
    return item;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 DBusMenuLayoutItem& layout) {
    if (!isItem(parentId)) {
        refuse(QStringLiteral("no menu item %1").arg(parentId));
        return revision_;
    }
    layout = layoutOf(parentId, recursionDepth, propertyNames);
    return revision_;
}

QList<DBusMenuItem> DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                         const QStringList& propertyNames) {
    QList<DBusMenuItem> items;
    for (int id = rootId; id <= commands_.size(); ++id) {
        if (ids.isEmpty() || ids.contains(id)) {
            items.append({id, propertiesOf(id, propertyNames)});
        }
    }
    return items;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name) {
    const QVariantMap properties = propertiesOf(id, {});
    if (!isItem(id) || !properties.contains(name)) {
        refuse(QStringLiteral("menu item %1 has no property %2").arg(id).arg(name));
        return {};
    }
    return QDBusVariant(properties.value(name));
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant& /*data*/,
                             uint /*timestamp*/) {
    if (!handleEvent(id, eventId)) {
        refuse(QStringLiteral("no menu item %1").arg(id));
    }
}

QList<int> DBusMenuExporter::EventGroup(const QList<DBusMenuEvent>& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (!handleEvent(event.id, event.eventId)) {
            idErrors.append(event.id);
        }
    }
    refuseWhereNoneIsAnItem(idErrors, events.size());
    return idErrors;
}

bool DBusMenuExporter::AboutToShow(int id) {
    if (!isItem(id)) {
        refuse(QStringLiteral("no menu item %1").arg(id));
    }
    return false;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    for (const int id : ids) {
        if (!isItem(id)) {
            idErrors.append(id);
        }
    }
    refuseWhereNoneIsAnItem(idErrors, ids.size());
    return {};
}

// The caller is answered with an error, as libdbusmenu answers: a reply would
// have to carry a value there is none of.
void DBusMenuExporter::refuse(const QString& why) {
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, why);
    }
}

// A group answers with the ids it does not have, unless it has none of them.
void DBusMenuExporter::refuseWhereNoneIsAnItem(const QList<int>& idErrors, qsizetype asked) {
    if (!idErrors.isEmpty() && idErrors.size() == asked) {
        refuse(QStringLiteral("no menu item %1").arg(idErrors.constFirst()));
    }
}

// Only a click runs a command; hovering, opening and closing do nothing.
bool DBusMenuExporter::handleEvent(int id, const QString& eventId) {
    if (!isItem(id)) {
        return false;
    }
    QAction* command = commands_.value(id - 1);
    if (eventId == QStringLiteral("clicked") && command != nullptr && command->isEnabled()) {
        QMetaObject::invokeMethod(command, &QAction::trigger, Qt::QueuedConnection);
    }
    return true;
}
