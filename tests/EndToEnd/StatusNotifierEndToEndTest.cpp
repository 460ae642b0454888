#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/PopoverWindow.h"
#include "Platform/AppKit/StatusItem.h"
#include "Platform/AppKit/StatusNotifierRegistration.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Support/EventLoopWait.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QImage>
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

// Pelmor's is the only item on the test's private bus.
bool itemIsListed() {
    return !watcherProperty("RegisteredStatusNotifierItems").toStringList().isEmpty();
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

    void stopXEmbedTray() {
        xembedTray.kill();
        xembedTray.waitForFinished(2000);
    }

    // How long the icon's registration keeps checking after a watcher
    // appears, and a little more.
    static constexpr int checkingTime =
        StatusNotifierRegistration::checkInterval * (StatusNotifierRegistration::maxChecks + 1);

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
    // Qt's registration and at most one more: the icon is known as ours
    // (the test runs where the bus sees other process IDs than it does).
    EXPECT_LE(registrations.count, 2);
    delegate->applicationWillTerminate();
}

// A desktop shell that restarts ends its watcher and host together and starts
// them again: every new watcher lists the icon.
TEST_F(StatusNotifierEndToEndTest, EveryNewWatcherListsTheIcon) {
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    auto delegate = AppDelegate::create(makeApplicationEnvironment());
    delegate->applicationDidFinishLaunching();
    ASSERT_TRUE(processEventsUntil(itemIsListed, 10'000))
        << "the icon never registered with the watcher";
    for (int round = 1; round <= 10; ++round) {
        stopWatcherAndHost();
        ASSERT_TRUE(processEventsUntil([] { return !watcherIsUp(); }, 5'000));
        registrations.count = 0;
        ASSERT_NO_FATAL_FAILURE(startWatcherAndHost());
        EXPECT_TRUE(processEventsUntil(itemIsListed, 8'000))
            << "restart " << round << ": the new watcher lists no item";
    }
    pumpFor(checkingTime);
    EXPECT_LE(registrations.count, 2) << "the last watcher was told of the icon again and again";
    delegate->applicationWillTerminate();
}

namespace {

enum class Tray { statusNotifier, xembed };

// A desktop whose tray comes after Pelmor: `first` (if any) is there when
// Pelmor starts and goes once it shows the icon; `then` comes `after`
// milliseconds later.
struct TrayChange {
    const char* name;
    std::optional<Tray> first;
    int after;
    Tray then;
};

void PrintTo(const TrayChange& change, std::ostream* out) {
    *out << change.name;
}

const TrayChange trayChanges[] = {
    {"StatusNotifierAfter3s", std::nullopt, 3'000, Tray::statusNotifier},
    {"StatusNotifierAfter10s", std::nullopt, 10'000, Tray::statusNotifier},
    {"XEmbedReplacedByStatusNotifier", Tray::xembed, 1'000, Tray::statusNotifier},
    {"StatusNotifierReplacedByXEmbed", Tray::statusNotifier, 1'000, Tray::xembed},
};

} // namespace

// Each row runs in a process of its own, as Pelmor does: Qt settles on one
// kind of tray icon per process.
class StatusNotifierTrayChangeTest : public StatusNotifierEndToEndTest,
                                     public testing::WithParamInterface<TrayChange> {
protected:
    void SetUp() override {
        if (!DesktopSession::programsInstalled({"trayer"})) {
            GTEST_SKIP() << "Skipped: trayer is not installed.";
        }
        ASSERT_NO_FATAL_FAILURE(prepareSession());
    }

    void startTray(Tray tray) {
        if (tray == Tray::statusNotifier) {
            ASSERT_NO_FATAL_FAILURE(startWatcherAndHost());
        } else {
            DesktopSession::startTray(xembedTray);
            ASSERT_TRUE(xembedTray.waitForStarted(5'000));
        }
    }

    void stopTray(Tray tray) {
        if (tray == Tray::statusNotifier) {
            stopWatcherAndHost();
        } else {
            stopXEmbedTray();
        }
    }

    // Where the tray shows the icon, once it does.
    std::optional<QPoint> iconOn(Tray tray, const StatusItem& item) const {
        if (tray == Tray::xembed) {
            const QRect placed = item.geometry();
            return placed.isEmpty() ? std::nullopt : std::optional<QPoint>(placed.center());
        }
        const std::optional<QRect> drawn = itemsOnPanel(panelHeight);
        return itemIsListed() && drawn ? std::optional<QPoint>(drawn->center()) : std::nullopt;
    }
};

TEST_P(StatusNotifierTrayChangeTest, TheIconShowsInTheTrayThatComesAndOpensThePopover) {
    const TrayChange& row = GetParam();
    if (row.first) {
        ASSERT_NO_FATAL_FAILURE(startTray(*row.first));
    }
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    auto delegate = AppDelegate::create(makeApplicationEnvironment());
    delegate->applicationDidFinishLaunching();
    auto& menuBar = *delegate->menuBarController();
    ASSERT_NE(menuBar.statusItem(), nullptr);
    if (row.first) {
        ASSERT_TRUE(processEventsUntil(
            [&] { return iconOn(*row.first, *menuBar.statusItem()).has_value(); }, 10'000))
            << "the first tray never showed the icon";
        stopTray(*row.first);
    }
    pumpFor(row.after);
    ASSERT_NO_FATAL_FAILURE(startTray(row.then));
    ASSERT_TRUE(processEventsUntil(
        [&] { return iconOn(row.then, *menuBar.statusItem()).has_value(); }, 10'000))
        << "the tray that came never showed the icon";
    // The tray lays its icons out after taking them in.
    pumpFor(2'000);
    saveScreenshot(QStringLiteral("tray-change-%1.png").arg(QLatin1String(row.name)));
    const std::optional<QPoint> icon = iconOn(row.then, *menuBar.statusItem());
    ASSERT_TRUE(icon.has_value()) << "the icon left the tray";
    ASSERT_TRUE(clickAt(*icon));
    EXPECT_TRUE(processEventsUntil([&] { return menuBar.isPopoverShown(); }, 5'000))
        << "a click on the icon opened nothing";
    // The context menu's first command, Settings…, chosen by the keyboard.
    ASSERT_TRUE(clickAt(*icon, 1, 3));
    pumpFor(1'000);
    saveScreenshot(QStringLiteral("tray-change-menu-%1.png").arg(QLatin1String(row.name)));
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Return")});
    EXPECT_TRUE(processEventsUntil(
        [] {
            return DesktopSession::visibleWindowTitled(QStringLiteral("Pelmor Settings"))
                .has_value();
        },
        5'000))
        << "the context menu lost its commands";
    delegate->applicationWillTerminate();
}

INSTANTIATE_TEST_SUITE_P(TrayChanges, StatusNotifierTrayChangeTest, testing::ValuesIn(trayChanges),
                         [](const testing::TestParamInfo<TrayChange>& info) {
                             return std::string(info.param.name);
                         });

#include "StatusNotifierEndToEndTest.moc"
