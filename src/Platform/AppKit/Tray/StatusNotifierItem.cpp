#include "Platform/AppKit/Tray/StatusNotifierItem.h"

#include "Platform/AppKit/Tray/TrayDBusTypes.h"

namespace {

constexpr QDBusConnection::RegisterOptions exported = QDBusConnection::ExportScriptableContents;

} // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection connection, QString id, QString title)
    : connection_(std::move(connection)), id_(std::move(id)), title_(std::move(title)) {
    registerTrayDBusTypes();
    exported_ = connection_.isConnected() &&
                connection_.registerObject(QString::fromLatin1(objectPath), this, exported) &&
                connection_.registerObject(QString::fromLatin1(menuPath), &menu_, exported);
}

StatusNotifierItem::~StatusNotifierItem() {
    if (connection_.isConnected()) {
        connection_.unregisterObject(QString::fromLatin1(menuPath));
        connection_.unregisterObject(QString::fromLatin1(objectPath));
    }
}

QString StatusNotifierItem::serviceName() const {
    return connection_.baseService();
}

void StatusNotifierItem::setIcon(const QIcon& icon) {
    pixmaps_ = StatusNotifierPixmap::fromIcon(icon);
    emit NewIcon();
}

void StatusNotifierItem::setToolTip(const QString& text) {
    toolTipText_ = text;
    emit NewToolTip();
}

void StatusNotifierItem::setCommands(const QList<QAction*>& commands) {
    menu_.setCommands(commands);
}

StatusNotifierToolTip StatusNotifierItem::toolTip() const {
    return {QString(), {}, toolTipText_, QString()};
}

void StatusNotifierItem::Activate(int x, int y) {
    if (onActivated) {
        onActivated(QSystemTrayIcon::Trigger, QPoint(x, y));
    }
}

void StatusNotifierItem::SecondaryActivate(int x, int y) {
    if (onActivated) {
        onActivated(QSystemTrayIcon::MiddleClick, QPoint(x, y));
    }
}

void StatusNotifierItem::ContextMenu(int x, int y) {
    if (onContextMenu) {
        onContextMenu(QPoint(x, y));
    }
}

void StatusNotifierItem::Scroll(int /*delta*/, const QString& /*orientation*/) {}
