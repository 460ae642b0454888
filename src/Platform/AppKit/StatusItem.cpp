#include "Platform/AppKit/StatusItem.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

using Kind = TrayIconBackend::Kind;

// The icon starts as one Qt draws itself, which waits for an XEmbed tray on
// its own; a StatusNotifier host, there already or the first to come, has it
// made anew as a StatusNotifier item.
StatusItem::StatusItem()
    : clickFilter_(std::chrono::milliseconds(QApplication::doubleClickInterval())),
      trays_(QDBusConnection::sessionBus()),
      registration_(QDBusConnection::sessionBus(), [this] { return showAgain(); }) {
    makeTrayIcon(Kind::xembed);
    // On a later turn: a change is told from inside Qt's own handling of the
    // tray, which the old icon may still be in the middle of.
    connect(&trays_, &TrayPresence::changed, this, &StatusItem::followTrays, Qt::QueuedConnection);
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

// A new icon of `kind` in the place of the current one, with its picture,
// tooltip, commands and visibility. The old one leaves its tray first. Each
// icon has a menu of its own: a StatusNotifier icon gives its menu a
// counterpart on the bus, which an XEmbed icon's menu must not have.
void StatusItem::makeTrayIcon(Kind kind) {
    const bool shown = trayIcon_ && trayIcon_->isVisible();
    QIcon picture;
    QString tip;
    if (trayIcon_) {
        picture = trayIcon_->icon();
        tip = trayIcon_->toolTip();
        trayIcon_->hide();
    }
    trayIcon_ = TrayIconBackend::make(kind);
    menu_ = std::make_unique<QMenu>();
    menu_->addActions(commands_);
    trayIcon_->setContextMenu(menu_.get());
    connect(trayIcon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { activate(reason); });
    trayIcon_->setIcon(picture);
    trayIcon_->setToolTip(tip);
    if (shown) {
        trayIcon_->show();
        registration_.checkListed();
    }
}

// A StatusNotifier host is preferred wherever there is one, as Qt prefers it
// (a desktop may also run an XEmbed tray that only passes icons on to its
// host); an XEmbed tray serves where there is none.
void StatusItem::followTrays() {
    const Kind kind = TrayIconBackend::kindOf(*trayIcon_);
    if (kind == Kind::xembed && trays_.hasStatusNotifierHost() && !statusNotifierRefused_) {
        makeTrayIcon(Kind::statusNotifier);
        statusNotifierRefused_ = TrayIconBackend::kindOf(*trayIcon_) != Kind::statusNotifier;
    } else if (kind == Kind::statusNotifier && !trays_.hasStatusNotifierHost() &&
               trays_.hasXEmbedTray()) {
        makeTrayIcon(Kind::xembed);
    }
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
    if (!trayIcon_->isVisible() || TrayIconBackend::kindOf(*trayIcon_) != Kind::statusNotifier) {
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
    auto* action = new QAction(title, this);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    commands_.append(action);
    menu_->addAction(action);
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
