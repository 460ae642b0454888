#include "Platform/AppKit/Tray/StatusItem.h"

#include "Platform/AppKit/Xcb/ScreenPixels.h"

#include <optional>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QMenu>
#include <QWindow>

namespace {

// Where a host says it was clicked, in Qt's pixels; none where it does not
// say (hosts send 0, 0 then) or names a place off every screen.
std::optional<QPoint> placeGiven(QPoint device) {
    return device.isNull() ? std::nullopt : ScreenPixels::toLogical(device);
}

} // namespace

StatusItem::StatusItem(const QDBusConnection& bus)
    : menu_(std::make_unique<QMenu>()),
      clickFilter_(std::chrono::milliseconds(QApplication::doubleClickInterval())),
      statusNotifierItem_(bus, QStringLiteral("pelmor"), QStringLiteral("Pelmor")),
      registration_(bus, statusNotifierItem_.serviceName()), hosts_(bus),
      xembedIcon_(xembedTrays_) {
    xembedIcon_.setAccessibleName(QStringLiteral("Pelmor"));
    // On a later turn, outside the bus's dispatch of the host's call.
    statusNotifierItem_.onActivated = [this](QSystemTrayIcon::ActivationReason reason,
                                             QPoint position) {
        QMetaObject::invokeMethod(
            this, [this, reason, position] { activateByHost(reason, position); },
            Qt::QueuedConnection);
    };
    statusNotifierItem_.onContextMenu = [this](QPoint position) {
        QMetaObject::invokeMethod(
            this, [this, position] { showMenu(placeGiven(position).value_or(QCursor::pos())); },
            Qt::QueuedConnection);
    };
    connect(&xembedIcon_, &XEmbedTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason, QPoint position) {
                if (reason == QSystemTrayIcon::Context) {
                    showMenu(position);
                } else {
                    activate(reason);
                }
            });
    // On a later turn: a change may be told from inside the handling of a
    // tray's own event.
    connect(&hosts_, &TrayPresence::changed, this, &StatusItem::followTrays, Qt::QueuedConnection);
    connect(&registration_, &StatusNotifierRegistration::registeredChanged, this,
            &StatusItem::followTrays, Qt::QueuedConnection);
    connect(&xembedTrays_, &XEmbedTraySelection::ownerChanged, this, &StatusItem::followTrays,
            Qt::QueuedConnection);
}

StatusItem::~StatusItem() {
    xembedIcon_.setDocked(false);
}

// A StatusNotifier host is preferred wherever there is one (a desktop may
// also run an XEmbed tray that only passes icons on to its host); the XEmbed
// icon leaves its tray once the item is registered with a watcher that has a
// host, so that the desktop shows one icon, and not before. The
// StatusNotifier item stays registered throughout: no host shows it while
// there is none.
void StatusItem::followTrays() {
    const bool hostShowsIt = registration_.isRegistered() && hosts_.hasStatusNotifierHost();
    xembedIcon_.setDocked(shown_ && !hostShowsIt);
}

bool StatusItem::isInXEmbedTray() const {
    return xembedIcon_.isEmbedded();
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

// The popover opens by the point the host gives, taken for the middle of an
// icon of a tray's usual size, as by the XEmbed icon's place; by the pointer
// where it gives none, or one off every screen.
void StatusItem::activateByHost(QSystemTrayIcon::ActivationReason reason, QPoint position) {
    constexpr int iconSide = 24;
    hostClick_ = QRect();
    if (const std::optional<QPoint> place = placeGiven(position)) {
        hostClick_ = QRect(0, 0, iconSide, iconSide);
        hostClick_.moveCenter(*place);
    }
    activate(reason);
}

void StatusItem::showMenu(QPoint position) {
    menu_->popup(position);
}

// The icon joins the trays with its first picture: a tray shown an empty
// icon would show nothing until told again.
void StatusItem::setIcon(const QIcon& icon) {
    statusNotifierItem_.setIcon(icon);
    xembedIcon_.setIcon(icon);
    if (!shown_) {
        shown_ = true;
        registration_.start();
        followTrays();
    }
}

QIcon StatusItem::icon() const {
    return xembedIcon_.icon();
}

void StatusItem::setToolTip(const QString& toolTip) {
    statusNotifierItem_.setToolTip(toolTip);
    xembedIcon_.setToolTip(toolTip);
}

QString StatusItem::toolTip() const {
    return xembedIcon_.toolTip();
}

void StatusItem::setAction(std::function<void()> action) {
    action_ = std::move(action);
}

void StatusItem::addMenuCommand(const QString& title, std::function<void()> command) {
    auto* action = new QAction(title, this);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    commands_.append(action);
    menu_->addAction(action);
    statusNotifierItem_.setCommands(commands_);
}

QRect StatusItem::geometry() const {
    return xembedIcon_.isEmbedded() ? xembedIcon_.iconGeometry() : hostClick_;
}

QWindow* StatusItem::window() const {
    return xembedIcon_.isEmbedded() ? xembedIcon_.windowHandle() : nullptr;
}
