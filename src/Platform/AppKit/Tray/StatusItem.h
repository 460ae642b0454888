#pragma once

#include "Platform/AppKit/Tray/StatusItemClickFilter.h"
#include "Platform/AppKit/Tray/StatusNotifierItem.h"
#include "Platform/AppKit/Tray/StatusNotifierRegistration.h"
#include "Platform/AppKit/Tray/TrayPresence.h"
#include "Platform/AppKit/Tray/XEmbedTrayIcon.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"

#include <functional>
#include <memory>

#include <QDBusConnection>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QWindow;

// The application's item in the desktop's tray (the menu bar's status item):
// an icon with a tooltip, a primary click, and a context menu for the
// commands that live in the application menu elsewhere. It is one item in
// either kind of tray: a StatusNotifier item of its own, served on the
// session bus and drawn by the desktop's host, wherever a host is there; an
// icon of its own embedded in an XEmbed tray where there is none. It follows
// trays that come, go and replace one another.
class StatusItem final : public QObject {
    Q_OBJECT

public:
    // Serves the StatusNotifier item on `bus`.
    explicit StatusItem(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~StatusItem() override;

    void setIcon(const QIcon& icon);
    QIcon icon() const;
    void setToolTip(const QString& toolTip);
    QString toolTip() const;

    // Called on a primary click of the icon, once per double-click.
    void setAction(std::function<void()> action);
    // Adds a command to the icon's context menu.
    void addMenuCommand(const QString& title, std::function<void()> command);

    // Where the icon is on screen, in Qt's pixels: the XEmbed icon's place,
    // or around the point where a StatusNotifier host said it was last
    // clicked; empty where the tray does not say.
    QRect geometry() const;
    // The window the icon is drawn in where this application draws it (an
    // XEmbed tray); none where the tray draws it (StatusNotifier).
    QWindow* window() const;
    bool isVisible() const { return shown_; }
    // Whether the icon is in an XEmbed tray now, rather than left to a
    // StatusNotifier host.
    bool isInXEmbedTray() const;

    // The tray reports an activation of the icon.
    void activate(QSystemTrayIcon::ActivationReason reason);

private:
    void followTrays();
    void activateByHost(QSystemTrayIcon::ActivationReason reason, QPoint position);
    void showMenu(QPoint position);

    QList<QAction*> commands_;
    std::unique_ptr<QMenu> menu_;
    std::function<void()> action_;
    StatusItemClickFilter clickFilter_;
    StatusNotifierItem statusNotifierItem_;
    StatusNotifierRegistration registration_;
    TrayPresence hosts_;
    XEmbedTraySelection xembedTrays_;
    XEmbedTrayIcon xembedIcon_;
    QRect hostClick_;
    bool shown_ = false;
};
