#pragma once

#include "Platform/AppKit/Tray/DBusMenuExporter.h"
#include "Platform/AppKit/Tray/StatusNotifierPixmap.h"

#include <functional>

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

class QAction;

// This application's item for StatusNotifier hosts: an
// org.kde.StatusNotifierItem object at /StatusNotifierItem on the given
// connection, its picture given as pixels, its tooltip, and its commands as a
// dbusmenu at /MenuBar. The host draws it and reports clicks, which are
// passed on to the handlers set here. Registering it with a watcher is
// StatusNotifierRegistration's part.
class StatusNotifierItem final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ noName)
    Q_PROPERTY(QList<StatusNotifierPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(QList<StatusNotifierPixmap> OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(QList<StatusNotifierPixmap> AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(QString IconThemePath READ noName)
    Q_PROPERTY(StatusNotifierToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    static constexpr const char* objectPath = "/StatusNotifierItem";
    static constexpr const char* menuPath = "/MenuBar";

    StatusNotifierItem(QDBusConnection connection, QString id, QString title);
    ~StatusNotifierItem() override;

    // The bus name the item is known by: the connection's own, for as long
    // as the connection lasts.
    QString serviceName() const;
    // Whether the item and its menu are on the bus.
    bool isExported() const { return exported_; }

    void setIcon(const QIcon& icon);
    void setToolTip(const QString& text);
    void setCommands(const QList<QAction*>& commands);

    // Each is told where the host says the click was, in the X screen's
    // pixels; a null point where it does not say (hosts send 0, 0 then).
    // Called from the bus's dispatch: a handler that acts on windows should
    // do so on a later turn.
    std::function<void(QSystemTrayIcon::ActivationReason, QPoint)> onActivated;
    std::function<void(QPoint)> onContextMenu;

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return id_; }
    QString title() const { return title_; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    QList<StatusNotifierPixmap> iconPixmap() const { return pixmaps_; }
    QList<StatusNotifierPixmap> noPixmap() const { return {}; }
    StatusNotifierToolTip toolTip() const;
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QString::fromLatin1(menuPath)); }

public slots:
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewAttentionIcon();
    Q_SCRIPTABLE void NewOverlayIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString& status);

private:
    QDBusConnection connection_;
    QString id_;
    QString title_;
    QString toolTipText_;
    QList<StatusNotifierPixmap> pixmaps_;
    DBusMenuExporter menu_;
    bool exported_ = false;
};
