#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/PopoverWindow.h"
#include "Platform/AppKit/Tray/StatusItem.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/DBus/DBusMenuTypes.h"
#include "Support/EventLoopWait.h"
#include "UI/MenuBar/MenuBarController.h"

#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

using DesktopSession::clickAt;
using DesktopSession::pumpFor;
using DesktopSession::saveScreenshot;

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

bool watcherIsUp() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(watcherService);
}

QVariant watcherProperty(const char* name) {
    QDBusInterface watcher(watcherService, QStringLiteral("/StatusNotifierWatcher"),
                           watcherService);
    return watcher.isValid() ? watcher.property(name) : QVariant();
}

QStringList listedItems() {
    return watcherProperty("RegisteredStatusNotifierItems").toStringList();
}

// Pelmor's is the only item on the test's private bus.
bool itemIsListed() {
    return !listedItems().isEmpty();
}

// Where the panel at the top of the screen shows something other than its
// background (the colour at the far right of each row): the items it hosts.
std::optional<QRect> itemsOnPanel(int panelHeight) {
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QRect found;
    for (int y = 0; y < panelHeight; ++y) {
        const QRgb background = screen.pixel(screen.width() - 1, y);
        for (int x = 0; x < screen.width(); ++x) {
            if (screen.pixel(x, y) != background) {
                found |= QRect(x, y, 1, 1);
            }
        }
    }
    return found.isEmpty() ? std::nullopt : std::optional<QRect>(found);
}

// What keeps the screen from showing the icon's picture at `placed` on the
// tray's own background (its blue, and in its round corner the tray's colour
// beside it); nothing where it shows.
std::string notDrawnOnTray(const QRect& placed) {
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    int blue = 0;
    for (int y = placed.top(); y <= placed.bottom(); ++y) {
        for (int x = placed.left(); x <= placed.right(); ++x) {
            const QRgb pixel = screen.pixel(x, y);
            blue +=
                int(qBlue(pixel) > 150 && qRed(pixel) < 100 && qBlue(pixel) > qGreen(pixel) + 40);
        }
    }
    const QPoint beside = placed.topLeft() - (placed.left() > 0 ? QPoint(1, 0) : QPoint(0, 1));
    const QRgb corner = screen.pixel(placed.topLeft());
    if (blue > placed.width() * placed.height() / 4 && corner == screen.pixel(beside)) {
        return {};
    }
    return QStringLiteral("%1 pixels of its blue, its corner #%2, the tray beside it #%3")
        .arg(blue)
        .arg(corner & 0xffffff, 6, 16, QLatin1Char('0'))
        .arg(screen.pixel(beside) & 0xffffff, 6, 16, QLatin1Char('0'))
        .toStdString();
}

// Counts the watcher's StatusNotifierItemRegistered signals: each is the icon
// registered again, which the panel shows by dropping it and adding it back.
class RegistrationCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;

public slots:
    void registered() { ++count; }
};

} // namespace

// Pelmor on a StatusNotifier host (the tray protocol of most current
// desktops) in a real X session: a watcher and a panel with the host at the
// top of the screen, in the private session bus the test runs in.
class StatusNotifierEndToEndTest : public testing::Test {
protected:
    // gtk-sni-tray-standalone's panel.
    static constexpr int panelHeight = 30;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(prepareSession());
        if (!IsSkipped()) {
            ASSERT_NO_FATAL_FAILURE(startWatcherAndHost());
        }
    }

    // Everything but the trays.
    void prepareSession() {
        if (QGuiApplication::platformName() != QStringLiteral("xcb") ||
            !QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "Skipped: needs an X server and a private session bus "
                            "(run under dbus-run-session and xvfb-run).";
        }
        if (!DesktopSession::programsInstalled(
                {"status-notifier-watcher", "gtk-sni-tray-standalone", "xdotool"})) {
            GTEST_SKIP() << "Skipped: the StatusNotifier watcher, host or xdotool is missing.";
        }
        ASSERT_FALSE(watcherIsUp())
            << "another watcher is on this bus: run in a private session bus";
        ASSERT_TRUE(QDBusConnection::sessionBus().connect(
            QString(), QStringLiteral("/StatusNotifierWatcher"), watcherService,
            QStringLiteral("StatusNotifierItemRegistered"), &registrations, SLOT(registered())));
        ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    }

    void startWatcherAndHost() {
        watcher.start(QStringLiteral("status-notifier-watcher"), {});
        ASSERT_TRUE(processEventsUntil(watcherIsUp, 20'000)) << "the watcher never came up";
        host.start(QStringLiteral("gtk-sni-tray-standalone"), {QStringLiteral("--top")});
        ASSERT_TRUE(processEventsUntil(
            [] { return watcherProperty("IsStatusNotifierHostRegistered").toBool(); }, 20'000))
            << "the panel never registered as a host";
    }

    void TearDown() override {
        stopWatcherAndHost();
        stopXEmbedTray();
    }

    void stopWatcherAndHost() {
        for (QProcess* process : {&host, &watcher}) {
            process->kill();
            process->waitForFinished(2000);
        }
    }

    void signalXEmbedTray(int signal) {
        if (xembedTray.processId() > 0) {
            ::kill(pid_t(xembedTray.processId()), signal);
        }
    }

    void stopXEmbedTray() {
        // Stopped, it would not be reaped.
        signalXEmbedTray(SIGCONT);
        xembedTray.kill();
        xembedTray.waitForFinished(2000);
    }

    QProcess watcher;
    QProcess host;
    QProcess xembedTray;
    QTemporaryDir configHome;
    RegistrationCounter registrations;
};

TEST_F(StatusNotifierEndToEndTest, TheIconRegistersAndItsClicksOpenThePopoverBesideIt) {
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    auto delegate = AppDelegate::create(makeApplicationEnvironment());
    delegate->applicationDidFinishLaunching();
    auto& menuBar = *delegate->menuBarController();
    ASSERT_NE(menuBar.statusItem(), nullptr);
    ASSERT_TRUE(processEventsUntil(itemIsListed, 10'000))
        << "the icon never registered with the watcher";
    // The host shows the icon; unlike an XEmbed tray it tells no position.
    ASSERT_TRUE(processEventsUntil([] { return itemsOnPanel(panelHeight).has_value(); }, 10'000))
        << "the panel shows no icon";
    EXPECT_TRUE(menuBar.statusItem()->geometry().isEmpty());
    pumpFor(2'000);
    saveScreenshot(QStringLiteral("status-notifier.png"));
    const std::optional<QRect> icon = itemsOnPanel(panelHeight);
    ASSERT_TRUE(icon.has_value());

    const QPoint click = icon->center();
    ASSERT_TRUE(clickAt(click));
    ASSERT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000))
        << "the click opened nothing";
    pumpFor(500);
    saveScreenshot(QStringLiteral("status-notifier-popover.png"));
    // Beside the icon, below the pointer: not at the far end of the panel.
    const QRect popover = menuBar.popover().frameGeometry();
    EXPECT_LE(popover.left(), click.x()) << "popover at x " << popover.x();
    EXPECT_GE(popover.right(), click.x()) << "popover at x " << popover.x();
    EXPECT_GT(popover.top(), click.y()) << "popover at y " << popover.y();
    EXPECT_LT(popover.top(), click.y() + panelHeight) << "popover at y " << popover.y();

    ASSERT_TRUE(clickAt(click));
    EXPECT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000))
        << "a second click left the popover open";

    // A double-click toggles once.
    pumpFor(1'000);
    ASSERT_TRUE(clickAt(click, 2));
    pumpFor(1'500);
    EXPECT_TRUE(menuBar.isPopoverShown()) << "a double-click opened and closed the popover";
    // Registered once, by the one name it keeps (the test runs where the bus
    // sees other process IDs than Pelmor does).
    EXPECT_EQ(registrations.count, 1);

    // A host's click opens the popover by the place the host gives, wherever
    // the pointer is; by the pointer where it gives none.
    ASSERT_TRUE(clickAt(click));
    ASSERT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000));
    const QPoint pointer(300, 12);
    struct HostClick {
        QPoint given;
        QPoint near;
    };
    for (const HostClick& row :
         {HostClick{QPoint(1500, 10), QPoint(1500, 10)}, HostClick{QPoint(0, 0), pointer}}) {
        SCOPED_TRACE(testing::Message() << "given " << row.given.x() << "," << row.given.y());
        pumpFor(1'000);
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(pointer.x()),
                           QString::number(pointer.y())});
        QDBusInterface item(listedItems().value(0), QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"));
        item.asyncCall(QStringLiteral("Activate"), row.given.x(), row.given.y());
        ASSERT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000));
        // Beyond a double-click's interval before the click that closes it.
        pumpFor(1'000);
        const QRect shown = menuBar.popover().frameGeometry();
        EXPECT_LE(std::abs(shown.left() - row.near.x()) + std::abs(shown.top() - row.near.y()),
                  shown.width() / 2 + 64)
            << "popover at " << shown.x() << "," << shown.y();
        item.asyncCall(QStringLiteral("Activate"), row.given.x(), row.given.y());
        ASSERT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000));
    }
    delegate->applicationWillTerminate();
}

namespace {

// A host of the test's own draws nothing: the icon is with it once it is
// listed and out of the XEmbed tray. A busy tray is not looked at.
enum class Tray { statusNotifier, xembed, standInHost, busy };

// What changes in the desktop's trays.
enum class Change {
    xembedTrayStarts,
    // An XEmbed tray in a panel, which keeps no icon in its save-set.
    tint2Starts,
    // The XEmbed tray running, killed with -9.
    xembedTrayKilled,
    // Other XEmbed trays: icewm's own (a window manager too), xfce4-panel's
    // (on a visual with an alpha channel).
    icewmStarts,
    xfcePanelStarts,
    // A compositing window manager, which the test leaves running.
    mutterStarts,
    // The XEmbed tray, once it holds the selection, stopped (SIGSTOP) as a
    // busy one reads nothing; and let go.
    xembedTrayFreezes,
    xembedTrayResumes,
    panelStarts,     // a watcher and its host
    panelStops,      // both
    hostDies,        // the watcher stays
    hostStarts,      // with the watcher there
    watcherRestarts, // the host stays
    // A host of the test's own, known by its connection's unique name only
    // (as xfce4-panel's) or by a name of its own; it leaves with its
    // connection.
    unnamedHostComes,
    namedHostComes,
    standInHostLeaves,
    // A watcher of the test's own that holds its name and serves only later.
    lateWatcherComes,
    lateWatcherServes
};

// The changes made `after` milliseconds, then the tray the icon must show in.
struct Phase {
    int after;
    std::vector<Change> changes;
    Tray expected;
};

// The first phase comes before Pelmor starts; the last one is checked in
// full: a click opens the popover, the menu has its commands.
struct TrayRow {
    const char* name;
    std::vector<Phase> phases;
};

void PrintTo(const TrayRow& row, std::ostream* out) {
    *out << row.name;
}

std::vector<Phase> alternations(int count) {
    std::vector<Phase> phases{{0, {Change::xembedTrayStarts}, Tray::xembed}};
    for (int round = 0; round < count; ++round) {
        phases.push_back({0, {Change::panelStarts}, Tray::statusNotifier});
        phases.push_back({0, {Change::panelStops}, Tray::xembed});
    }
    return phases;
}

using C = Change;
using T = Tray;

const TrayRow trayRows[] = {
    {"XEmbedFirst", {{0, {C::xembedTrayStarts}, T::xembed}}},
    {"StatusNotifierFirst", {{0, {C::panelStarts}, T::statusNotifier}}},
    {"Both", {{0, {C::xembedTrayStarts, C::panelStarts}, T::statusNotifier}}},
    {"PanelAfter1s", {{0, {}, T::xembed}, {1'000, {C::panelStarts}, T::statusNotifier}}},
    {"PanelAfter3s", {{0, {}, T::xembed}, {3'000, {C::panelStarts}, T::statusNotifier}}},
    {"PanelAfter10s", {{0, {}, T::xembed}, {10'000, {C::panelStarts}, T::statusNotifier}}},
    {"XEmbedThenPanelAndBack",
     {{0, {C::xembedTrayStarts}, T::xembed},
      {1'000, {C::panelStarts}, T::statusNotifier},
      {1'000, {C::panelStops}, T::xembed}}},
    {"FortyAlternations", alternations(40)},
    {"HostDiesWhileItsWatcherStays",
     {{0, {C::xembedTrayStarts, C::panelStarts}, T::statusNotifier},
      {1'000, {C::hostDies}, T::xembed}}},
    {"WatcherRestartsWhileItsHostStays",
     {{0, {C::xembedTrayStarts, C::panelStarts}, T::statusNotifier},
      {1'000, {C::watcherRestarts}, T::statusNotifier},
      {1'000, {C::watcherRestarts}, T::statusNotifier},
      {1'000, {C::watcherRestarts}, T::statusNotifier}}},
    {"UnnamedHostAfterNamedOne",
     {{0, {C::xembedTrayStarts, C::panelStarts}, T::statusNotifier},
      {1'000, {C::hostDies}, T::xembed},
      {1'000, {C::unnamedHostComes}, T::standInHost},
      {1'000, {C::standInHostLeaves}, T::xembed}}},
    // A host there all along, a watcher serving 7 s after taking its name:
    // the icon stays in the XEmbed tray until it is registered.
    {"WatcherServesLate",
     {{0, {C::xembedTrayStarts, C::namedHostComes, C::lateWatcherComes}, T::xembed},
      {7'000, {C::lateWatcherServes}, T::standInHost},
      {0, {C::hostStarts}, T::statusNotifier}}},
    {"Tint2KilledAndStartedAgain",
     {{0, {C::tint2Starts}, T::xembed}, {1'000, {C::xembedTrayKilled, C::tint2Starts}, T::xembed}}},
    // A tray busy when Pelmor starts.
    {"TrayerBusy1s",
     {{0, {C::xembedTrayStarts, C::xembedTrayFreezes}, T::busy},
      {1'000, {C::xembedTrayResumes}, T::xembed}}},
    {"TrayerBusy10s",
     {{0, {C::xembedTrayStarts, C::xembedTrayFreezes}, T::busy},
      {10'000, {C::xembedTrayResumes}, T::xembed}}},
    {"IcewmBusy1s",
     {{0, {C::icewmStarts, C::xembedTrayFreezes}, T::busy},
      {1'000, {C::xembedTrayResumes}, T::xembed}}},
    {"IcewmBusy10s",
     {{0, {C::icewmStarts, C::xembedTrayFreezes}, T::busy},
      {10'000, {C::xembedTrayResumes}, T::xembed}}},
    // From a tray on a visual with an alpha channel to one without; the
    // panel's own StatusNotifier watcher kept out by one that never serves.
    {"XfcePanelThenTrayer",
     {{0, {C::lateWatcherComes, C::xfcePanelStarts}, T::xembed},
      {1'000, {C::xembedTrayKilled, C::xembedTrayStarts}, T::xembed}}},
    {"TrayerUnderMutter",
     {{0, {C::mutterStarts, C::xembedTrayStarts}, T::xembed},
      {1'000, {C::xembedTrayKilled, C::xembedTrayStarts}, T::xembed}}},
};

// A panel with nothing but its system tray along the top of the screen, on
// its own: no launchers, clock or menus.
const char* const tint2Config = R"(panel_items = S
panel_position = top center horizontal
panel_size = 100% 30
panel_monitor = all
autohide = 0
wm_menu = 0
startup_notifications = 0
systray_padding = 0 4 2
systray_icon_size = 24
)";

// The labels of the menu a host shows for the one listed item.
QStringList hostMenuLabels() {
    const QString item = listedItems().value(0);
    QDBusMessage layout = QDBusMessage::createMethodCall(
        item.section(QLatin1Char('/'), 0, 0), QStringLiteral("/MenuBar"),
        QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
    layout << 0 << -1 << QStringList();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(layout, QDBus::BlockWithGui);
    QStringList labels;
    for (const DBusMenuLayoutItem& child :
         qdbus_cast<DBusMenuLayoutItem>(reply.arguments().value(1)).children) {
        labels.append(child.properties.value(QStringLiteral("label")).toString());
    }
    return labels;
}

QStringList shownMenuLabels() {
    QStringList labels;
    if (const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions()) {
            labels.append(action->text());
        }
    }
    return labels;
}

} // namespace

// Trays that come, go and replace one another while Pelmor runs, each row in
// an X display and private bus of its own: the icon is always in exactly one
// tray, the one expected, and answers there.
class StatusNotifierTrayChangeTest : public StatusNotifierEndToEndTest,
                                     public testing::WithParamInterface<TrayRow> {
protected:
    const QString standInHost = QStringLiteral("stand-in-host");
    QProcess lateWatcher;
    QProcess windowManager;

    void SetUp() override {
        if (!DesktopSession::programsInstalled({"trayer"})) {
            GTEST_SKIP() << "Skipped: trayer is not installed.";
        }
        ASSERT_NO_FATAL_FAILURE(prepareSession());
    }

    void TearDown() override {
        StatusNotifierEndToEndTest::TearDown();
        for (QProcess* process : {&lateWatcher, &windowManager}) {
            process->kill();
            process->waitForFinished(2'000);
        }
        QDBusConnection::disconnectFromBus(standInHost);
    }

    void startWindowManager(const QString& program, const QStringList& arguments) {
        windowManager.start(program, arguments);
        ASSERT_TRUE(windowManager.waitForStarted(5'000)) << program.toStdString();
        ASSERT_TRUE(processEventsUntil(
            [] {
                xcb_connection_t* connection = XcbRequests::qtConnection();
                return !XcbRequests::property32(
                            connection, XcbRequests::defaultRootWindow(connection),
                            XcbRequests::internAtom(connection, "_NET_SUPPORTING_WM_CHECK"))
                            .empty();
            },
            10'000))
            << program.toStdString() << " never managed the screen";
    }

    void apply(Change change) {
        switch (change) {
        case Change::xembedTrayStarts:
            DesktopSession::startTray(xembedTray);
            ASSERT_TRUE(xembedTray.waitForStarted(5'000));
            break;
        case Change::tint2Starts: {
            QFile config(configHome.filePath(QStringLiteral("tint2rc")));
            ASSERT_TRUE(config.open(QIODevice::WriteOnly) && config.write(tint2Config) > 0);
            config.close();
            // tint2 waits up to 15 s for a window manager to say how many
            // desktops there are; the session has none: one, said for it.
            xcb_connection_t* connection = XcbRequests::qtConnection();
            const std::uint32_t desktops = 1;
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                                XcbRequests::defaultRootWindow(connection),
                                XcbRequests::internAtom(connection, "_NET_NUMBER_OF_DESKTOPS"),
                                XCB_ATOM_CARDINAL, 32, 1, &desktops);
            xcb_flush(connection);
            xembedTray.start(QStringLiteral("tint2"), {QStringLiteral("-c"), config.fileName()});
            ASSERT_TRUE(xembedTray.waitForStarted(5'000)) << "tint2 did not start";
            break;
        }
        case Change::xembedTrayKilled:
            stopXEmbedTray();
            break;
        case Change::icewmStarts:
            xembedTray.start(QStringLiteral("icewm"), {});
            ASSERT_TRUE(xembedTray.waitForStarted(5'000)) << "icewm did not start";
            break;
        case Change::xfcePanelStarts: {
            xembedTray.start(QStringLiteral("xfce4-panel"), {QStringLiteral("--disable-wm-check")});
            ASSERT_TRUE(xembedTray.waitForStarted(5'000)) << "xfce4-panel did not start";
            // Running: its tray lays its panel out once, after taking the
            // selection.
            const XEmbedTraySelection trays;
            ASSERT_TRUE(processEventsUntil([&] { return trays.hasOwner(); }, 20'000));
            pumpFor(2'000);
            break;
        }
        case Change::mutterStarts:
            ASSERT_NO_FATAL_FAILURE(
                startWindowManager(QStringLiteral("mutter"),
                                   {QStringLiteral("--x11"), QStringLiteral("--sm-disable")}));
            break;
        case Change::xembedTrayFreezes: {
            const XEmbedTraySelection trays;
            ASSERT_TRUE(processEventsUntil([&] { return trays.hasOwner(); }, 20'000))
                << "the tray never took the selection";
            signalXEmbedTray(SIGSTOP);
            break;
        }
        case Change::xembedTrayResumes:
            signalXEmbedTray(SIGCONT);
            break;
        case Change::panelStarts:
            ASSERT_NO_FATAL_FAILURE(startWatcherAndHost());
            break;
        case Change::panelStops:
            stopWatcherAndHost();
            ASSERT_TRUE(processEventsUntil([] { return !watcherIsUp(); }, 5'000));
            break;
        case Change::hostDies:
            host.kill();
            host.waitForFinished(2'000);
            break;
        case Change::hostStarts:
            host.start(QStringLiteral("gtk-sni-tray-standalone"), {QStringLiteral("--top")});
            ASSERT_TRUE(host.waitForStarted(5'000));
            ASSERT_TRUE(processEventsUntil(
                [] {
                    const QStringList names =
                        QDBusConnection::sessionBus().interface()->registeredServiceNames();
                    return !names.filter(QStringLiteral("org.kde.StatusNotifierHost-standalone"))
                                .isEmpty();
                },
                20'000))
                << "the panel's host never came";
            break;
        case Change::watcherRestarts:
            watcher.kill();
            watcher.waitForFinished(2'000);
            ASSERT_TRUE(processEventsUntil([] { return !watcherIsUp(); }, 5'000));
            // The host goes on showing what the new watcher lists, without
            // registering with it again.
            watcher.start(QStringLiteral("status-notifier-watcher"), {});
            ASSERT_TRUE(processEventsUntil(
                [] { return watcherProperty("ProtocolVersion").isValid(); }, 20'000))
                << "the new watcher never served";
            break;
        case Change::unnamedHostComes: {
            const QDBusConnection standIn =
                QDBusConnection::connectToBus(QDBusConnection::SessionBus, standInHost);
            QDBusMessage call = QDBusMessage::createMethodCall(
                watcherService, QStringLiteral("/StatusNotifierWatcher"), watcherService,
                QStringLiteral("RegisterStatusNotifierHost"));
            call << standIn.baseService();
            const QDBusMessage registered = standIn.call(call, QDBus::BlockWithGui);
            ASSERT_EQ(registered.type(), QDBusMessage::ReplyMessage)
                << registered.errorMessage().toStdString();
            break;
        }
        case Change::namedHostComes:
            ASSERT_TRUE(
                QDBusConnection::connectToBus(QDBusConnection::SessionBus, standInHost)
                    .registerService(QStringLiteral("org.kde.StatusNotifierHost-stand-in")));
            break;
        case Change::standInHostLeaves:
            QDBusConnection::disconnectFromBus(standInHost);
            break;
        case Change::lateWatcherComes:
            lateWatcher.start(QStringLiteral(PELMOR_WATCHER_STAND_IN), {});
            ASSERT_TRUE(processEventsUntil([&] { return lateWatcher.canReadLine(); }, 10'000));
            ASSERT_EQ(lateWatcher.readLine(), QByteArray("named\n"));
            break;
        case Change::lateWatcherServes:
            lateWatcher.write("\n");
            ASSERT_TRUE(processEventsUntil([&] { return lateWatcher.canReadLine(); }, 10'000));
            ASSERT_EQ(lateWatcher.readLine(), QByteArray("serving\n"));
            break;
        }
    }

    // Where the icon shows in `tray`, once it shows there alone: listed once
    // and drawn by the panel, out of the XEmbed tray; or in the XEmbed tray.
    std::optional<QPoint> shownIn(Tray tray, const StatusItem& item) const {
        if (tray == Tray::xembed) {
            const QRect placed = item.geometry();
            return item.isInXEmbedTray() && !placed.isEmpty()
                       ? std::optional<QPoint>(placed.center())
                       : std::nullopt;
        }
        if (tray == Tray::standInHost) {
            return !item.isInXEmbedTray() && listedItems().size() == 1
                       ? std::optional<QPoint>(QPoint())
                       : std::nullopt;
        }
        const std::optional<QRect> drawn = itemsOnPanel(panelHeight);
        return !item.isInXEmbedTray() && listedItems().size() == 1 && drawn
                   ? std::optional<QPoint>(drawn->center())
                   : std::nullopt;
    }

    // A click toggles the popover; the menu has both commands, and its first
    // one, chosen by the keyboard, opens Settings.
    void checkItAnswers(Tray tray, MenuBarController& menuBar, QPoint icon) {
        ASSERT_TRUE(clickAt(icon));
        EXPECT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000))
            << "a click on the icon opened nothing";
        // Beyond a double-click's interval: a click of its own.
        pumpFor(1'000);
        ASSERT_TRUE(clickAt(icon));
        EXPECT_TRUE(processEventsUntil([&] { return !menuBar.isPopoverShown(); }, 5'000))
            << "a second click left the popover open";
        pumpFor(1'000);
        ASSERT_TRUE(clickAt(icon, 1, 3));
        const QStringList commands{QStringLiteral("Settings…"), QStringLiteral("Quit")};
        if (tray == Tray::statusNotifier) {
            EXPECT_EQ(hostMenuLabels(), commands);
        } else {
            EXPECT_TRUE(processEventsUntil([&] { return shownMenuLabels() == commands; }, 5'000))
                << "the menu shows " << shownMenuLabels().join(u',').toStdString();
        }
        pumpFor(1'000);
        saveScreenshot(QStringLiteral("tray-menu-%1.png").arg(QLatin1String(GetParam().name)));
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Down"),
                                                      QStringLiteral("Return")});
        EXPECT_TRUE(processEventsUntil(
            [] {
                return DesktopSession::visibleWindowTitled(QStringLiteral("Pelmor Settings"))
                    .has_value();
            },
            5'000))
            << "the menu's first command opened nothing";
    }
};

TEST_P(StatusNotifierTrayChangeTest, TheIconIsInOneTrayAndAnswersThere) {
    const TrayRow& row = GetParam();
    std::optional<Async::Runtime> runtime;
    std::shared_ptr<AppDelegate> delegate;
    std::optional<QPoint> icon;
    for (std::size_t phase = 0; phase < row.phases.size(); ++phase) {
        SCOPED_TRACE(testing::Message() << "phase " << phase);
        const Phase& step = row.phases[phase];
        pumpFor(step.after);
        for (const Change change : step.changes) {
            ASSERT_NO_FATAL_FAILURE(apply(change));
        }
        if (!delegate) {
            runtime.emplace(std::make_shared<Async::EventLoopExecutor>(),
                            std::make_shared<Async::EventLoopTimerService>());
            delegate = AppDelegate::create(makeApplicationEnvironment());
            delegate->applicationDidFinishLaunching();
        }
        if (step.changes.empty() || step.expected == Tray::busy) {
            continue;
        }
        const StatusItem& item = *delegate->menuBarController()->statusItem();
        ASSERT_TRUE(
            processEventsUntil([&] { return shownIn(step.expected, item).has_value(); }, 10'000))
            << "the icon is not in the tray expected alone";
        // Settled: still alone there once the trays have laid out.
        pumpFor(500);
        icon = shownIn(step.expected, item);
        ASSERT_TRUE(icon.has_value()) << "the icon left the tray";
        if (step.expected == Tray::statusNotifier) {
            EXPECT_LT(itemsOnPanel(panelHeight)->width(), 40) << "the panel shows more than one";
        }
        if (step.expected == Tray::xembed) {
            std::string fault;
            EXPECT_TRUE(processEventsUntil(
                [&] {
                    fault = notDrawnOnTray(item.geometry());
                    return fault.empty();
                },
                3'000))
                << "the icon is not drawn on the tray: " << fault;
        }
    }
    saveScreenshot(QStringLiteral("tray-%1.png").arg(QLatin1String(row.name)));
    checkItAnswers(row.phases.back().expected, *delegate->menuBarController(), *icon);
    delegate->applicationWillTerminate();
}

INSTANTIATE_TEST_SUITE_P(TrayChanges, StatusNotifierTrayChangeTest, testing::ValuesIn(trayRows),
                         [](const testing::TestParamInfo<TrayRow>& info) {
                             return std::string(info.param.name);
                         });

#include "StatusNotifierEndToEndTest.moc"
