#include "Platform/AppKit/StatusItem.h"

#include <QApplication>
#include <QDBusConnection>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

StatusItem::StatusItem()
    : trayIcon_(std::make_unique<QSystemTrayIcon>()), menu_(std::make_unique<QMenu>()),
      clickFilter_(std::chrono::milliseconds(QApplication::doubleClickInterval())),
      registration_(QDBusConnection::sessionBus(), [this] { return showAgain(); }) {
    trayIcon_->setContextMenu(menu_.get());
    connect(trayIcon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { activate(reason); });
}

void StatusItem::activate(QSystemTrayIcon::ActivationReason reason) {
    using Report = StatusItemClickFilter::Report;
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) {
        return;
    }
    const Report report = reason == QSystemTrayIcon::Trigger ? Report::click : Report::doubleClick;
    if (clickFilter_.accepts(report, StatusItemClickFilter::Clock::now()) && action_) {
        action_();
    }
}

StatusItem::~StatusItem() {
    trayIcon_->hide();
}

// The icon joins the tray with its first picture: a tray shown an empty icon
// first has to be told again at once.
void StatusItem::setIcon(const QIcon& icon) {
    trayIcon_->setIcon(icon);
    if (!trayIcon_->isVisible()) {
        trayIcon_->show();
        registration_.checkListed();
    }
}

// Qt registers a StatusNotifier item each time its icon is shown. Where Qt
// draws the icon itself (XEmbed), there is no item to register.
bool StatusItem::showAgain() {
    if (!trayIcon_->isVisible() || window() != nullptr) {
        return false;
    }
    trayIcon_->hide();
    trayIcon_->show();
    return true;
}

QIcon StatusItem::icon() const {
    return trayIcon_->icon();
}

void StatusItem::setToolTip(const QString& toolTip) {
    trayIcon_->setToolTip(toolTip);
}

QString StatusItem::toolTip() const {
    return trayIcon_->toolTip();
}

void StatusItem::setAction(std::function<void()> action) {
    action_ = std::move(action);
}

void StatusItem::addMenuCommand(const QString& title, std::function<void()> command) {
    QAction* action = menu_->addAction(title);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
}

QRect StatusItem::geometry() const {
    return trayIcon_->geometry();
}

QWindow* StatusItem::window() const {
    // Qt embeds the icon in an XEmbed tray as a top-level widget of its own.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QSystemTrayIconSys")) {
            return widget->windowHandle();
        }
    }
    return nullptr;
}

bool StatusItem::isVisible() const {
    return trayIcon_->isVisible();
}
