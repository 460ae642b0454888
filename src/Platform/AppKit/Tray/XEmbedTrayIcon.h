#pragma once

#include "Platform/AppKit/DisplayServerCompositingChecker.h"

#include <QAbstractNativeEventFilter>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

struct xcb_connection_t;
class XEmbedTraySelection;

// The application's icon in an XEmbed tray: a small top-level window of its
// own that the tray owning the selection takes in (reparents) and sizes. It
// docks again into each tray that takes the selection later, in a window made
// anew where a tray that ended took the last one with it, and is never shown
// on the screen by itself while no tray holds it. The tooltip is the
// widget's own (setToolTip).
class XEmbedTrayIcon final : public QWidget, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit XEmbedTrayIcon(XEmbedTraySelection& trays, QWidget* parent = nullptr);
    ~XEmbedTrayIcon() override;

    // Drawn scaled into the icon's size, keeping its aspect.
    void setIcon(const QIcon& icon);
    QIcon icon() const { return icon_; }

    // Docks into the current tray and each later one; or leaves the tray,
    // which then shows nothing of it.
    void setDocked(bool docked);
    bool isDocked() const { return docked_; }
    // Whether a tray holds the icon now.
    bool isEmbedded() const { return embedded_; }
    // Where the icon is on screen, in Qt's global coordinates; empty while no
    // tray holds it.
    QRect iconGeometry() const;

signals:
    // A click on the icon: Trigger (left; a double-click's first half),
    // DoubleClick, Context (right) or MiddleClick, where the pointer was.
    void activated(QSystemTrayIcon::ActivationReason reason, QPoint globalPosition);

protected:
    QPaintEngine* paintEngine() const override { return nullptr; }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void followTray();
    void trayAnnounced();
    void requestDock();
    void sendDockRequest();
    void askAgainLater();
    void leaveTray();
    void reparented(quint32 parent);
    void prepareWindow();
    void putFrame(const QImage& frame);
    void refreshBackground();
    QImage trayBesideIcon(xcb_connection_t* connection) const;
    void readBackgroundAgain();

    XEmbedTraySelection& trays_;
    QIcon icon_;
    bool docked_ = false;
    bool embedded_ = false;
    // The last of its windows the server destroyed; 0 where none was.
    quint32 goneWindow_ = 0;
    // The tray's visual has an alpha channel: the icon is drawn on nothing.
    // Otherwise it is drawn over what the tray shows behind it.
    bool translucent_ = false;
    QImage background_;
    DisplayServerCompositingChecker compositing_;
    bool backgroundStale_ = true;
    QTimer backgroundTimer_;
    // Requests sent to the tray since it came or the icon was docked.
    int dockRequests_ = 0;
    // The window was named in a request the tray has not answered by taking
    // it in.
    bool requestUnanswered_ = false;
    quint32 askedTray_ = 0;
    QTimer dockRetryTimer_;
};
