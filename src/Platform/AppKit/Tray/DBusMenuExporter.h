#pragma once

#include "Platform/DBus/DBusMenuTypes.h"

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QAction;

// A flat menu of commands, served over D-Bus as com.canonical.dbusmenu, so
// that a StatusNotifier host shows it as its own menu. The root is item 0;
// the commands are items 1 to n, in their order. A command chosen in the host
// runs on a later turn of the event loop, outside the bus's dispatch. An
// unknown item, or a property an item does not have, is an error
// (org.freedesktop.DBus.Error.InvalidArgs) for whoever asks of it.
class DBusMenuExporter final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuExporter(QObject* parent = nullptr);

    void setCommands(const QList<QAction*>& commands);

    uint version() const { return 3; }
    QString textDirection() const;
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayoutItem& layout);
    Q_SCRIPTABLE QList<DBusMenuItem> GetGroupProperties(const QList<int>& ids,
                                                        const QStringList& propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString& name);
    Q_SCRIPTABLE void Event(int id, const QString& eventId, const QDBusVariant& data,
                            uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const QList<DBusMenuEvent>& events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    Q_SCRIPTABLE void ItemsPropertiesUpdated(const QList<DBusMenuItem>& updatedProperties,
                                             const QList<DBusMenuItemKeys>& removedProperties);
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);
    Q_SCRIPTABLE void ItemActivationRequested(int id, uint timestamp);

private:
    bool isItem(int id) const { return id >= 0 && id <= commands_.size(); }
    QVariantMap propertiesOf(int id, const QStringList& names) const;
    DBusMenuLayoutItem layoutOf(int id, int depth, const QStringList& names) const;
    bool handleEvent(int id, const QString& eventId);
    void refuse(const QString& why);
    void refuseWhereNoneIsAnItem(const QList<int>& idErrors, qsizetype asked);

    QList<QPointer<QAction>> commands_;
    uint revision_ = 1;
};
