#pragma once

#include "Platform/AppKit/StatusItemClickFilter.h"
#include "Platform/AppKit/StatusNotifierRegistration.h"
#include "Platform/AppKit/TrayIconBackend.h"
#include "Platform/AppKit/TrayPresence.h"

#include <functional>
#include <memory>

#include <QIcon>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QWindow;

// The application's item in the desktop's tray (the menu bar's status item):
// an icon with a tooltip, a primary click, and a context menu for the
// commands that live in the application menu elsewhere. It shows in whichever
// tray the desktop has, and follows a tray replaced by one of the other kind.
class StatusItem final : public QObject {
    Q_OBJECT

public:
    StatusItem();
    ~StatusItem() override;

    void setIcon(const QIcon& icon);
    QIcon icon() const;
    void setToolTip(const QString& toolTip);
    QString toolTip() const;

    // Called on a primary click of the icon, once per double-click.
    void setAction(std::function<void()> action);
    // Adds a command to the icon's context menu.
    void addMenuCommand(const QString& title, std::function<void()> command);

    // Where the icon is on screen; empty when the tray does not say.
    QRect geometry() const;
    // The window the icon is drawn in where this application draws it (an
    // XEmbed tray); none where the tray draws it (StatusNotifier).
    QWindow* window() const;
    bool isVisible() const;

    // The tray reports an activation of the icon.
    void activate(QSystemTrayIcon::ActivationReason reason);

private:
    void makeTrayIcon(TrayIconBackend::Kind kind);
    void followTrays();
    bool showAgain();

    QList<QAction*> commands_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    std::function<void()> action_;
    StatusItemClickFilter clickFilter_;
    TrayPresence trays_;
    StatusNotifierRegistration registration_;
    // Qt settled on XEmbed icons for this process before a host was seen.
    bool statusNotifierRefused_ = false;
};
