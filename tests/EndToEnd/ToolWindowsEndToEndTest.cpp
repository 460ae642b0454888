#include "EndToEnd/AccessibilityTree.h"
#include "EndToEnd/DesktopSession.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Support/EventLoopWait.h"
#include "Support/QStringPrinter.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStyleHints>
#include <QTemporaryDir>

using DesktopSession::clickAt;
using DesktopSession::pumpFor;
using Node = AccessibilityTree::Node;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString application = QStringLiteral("Pelmor");
const QString button = QStringLiteral("push button");

} // namespace

// Pelmor's own binary in a real X session (Xvfb) with an XEmbed tray, in a
// network of its own (loopback and a sink), used as a person would: each
// tool window opened from the popover's toolbox and put to work, read back
// through the accessibility tree and the screen.
class ToolWindowsEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
        }
        if (!DesktopSession::programsInstalled({"trayer", "xdotool", "unshare", "ip"})) {
            GTEST_SKIP() << "Skipped: trayer, xdotool, unshare or ip is not installed.";
        }
        tree = AccessibilityTree::connect();
        ASSERT_TRUE(tree.has_value()) << "no accessibility bus in this session";
        clipboardManager.start(QStringLiteral(PELMOR_CLIPBOARD_MANAGER), {});
        ASSERT_TRUE(clipboardManager.waitForReadyRead(5'000) &&
                    clipboardManager.readLine().trimmed() == "ready")
            << "the clipboard manager did not start";
        DesktopSession::startTray(tray);
        const XEmbedTraySelection trays;
        ASSERT_TRUE(processEventsUntil([&] { return trays.hasOwner(); }, 10'000));
        ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        pelmor.start(QStringLiteral(PELMOR_BINARY), {});
        ASSERT_TRUE(pelmor.waitForStarted(5'000));
        QObject::connect(&pelmor, &QProcess::finished, [](int code, QProcess::ExitStatus status) {
            ADD_FAILURE() << "pelmor ended "
                          << (status == QProcess::CrashExit ? "by signal " : "with status ")
                          << code;
        });
        ASSERT_TRUE(processEventsUntil([&] { return icon().has_value(); }, 30'000))
            << "the tray icon never appeared";
    }

    void TearDown() override {
        pelmor.disconnect();
        for (QProcess* process : {&pelmor, &tray, &clipboardManager}) {
            process->terminate();
            if (!process->waitForFinished(5'000)) {
                process->kill();
                process->waitForFinished(2'000);
            }
        }
    }

    static std::optional<QRect> icon() {
        return DesktopSession::trayIconOf(QStringLiteral("^pelmor$"));
    }

    std::optional<Node> window(const QString& title) const {
        for (const Node& candidate : tree->windows(application)) {
            if (tree->name(candidate) == title) {
                return candidate;
            }
        }
        return std::nullopt;
    }

    // The popover on show: the window with the dashboard's or the toolbox's
    // header buttons.
    std::optional<Node> popover() const {
        for (const Node& candidate : tree->windows(application)) {
            if (tree->findNamed(candidate, button, QStringLiteral("Open Toolbox")) ||
                tree->findNamed(candidate, button, QStringLiteral("Back to Main"))) {
                return candidate;
            }
        }
        return std::nullopt;
    }

    bool press(const Node& root, const QString& name) const {
        const auto found = tree->findNamed(root, button, name);
        return found && clickAt(tree->extents(*found).center());
    }

    bool showsButton(const Node& root, const QString& name) const {
        return tree->findNamed(root, button, name).has_value();
    }

    // Every name on show under `root`, depth first.
    QStringList texts(const Node& root) const {
        QStringList names;
        tree->find(root, [&](const Node& node) {
            names << tree->name(node);
            return false;
        });
        return names;
    }

    // A click soon after the last one on the icon would be the second half
    // of a double-click.
    bool openPopover() const {
        pumpFor(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        return clickAt(icon().value_or(QRect()).center()) &&
               processEventsUntil([&] { return popover().has_value(); }, 5'000);
    }

    // Tray icon, the toolbox (unless the popover still shows it), the tool.
    std::optional<Node> openTool(const QString& title) const {
        if (!openPopover()) {
            return std::nullopt;
        }
        const Node panel = *popover();
        if (press(panel, QStringLiteral("Open Toolbox"))) {
            processEventsUntil([&] { return showsButton(panel, title); }, 5'000);
        }
        if (!press(panel, title) ||
            !processEventsUntil([&] { return window(title).has_value(); }, 5'000)) {
            return std::nullopt;
        }
        return window(title);
    }

    // Sends Pelmor TERM; it ends within 2 s with `status`.
    void quitPelmorAndExpect(int status) {
        pelmor.disconnect();
        QElapsedTimer sinceTerm;
        sinceTerm.start();
        pelmor.terminate();
        ASSERT_TRUE(pelmor.waitForFinished(15'000));
        EXPECT_LT(sinceTerm.elapsed(), 2'000);
        EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(pelmor.exitCode(), status);
    }

    // Copies the report the diagnostics export makes; what was copied, or
    // nothing when that failed.
    QString copyReport() {
        const auto report = openTool(QStringLiteral("Diagnostics Export"));
        if (!report) {
            ADD_FAILURE() << "the toolbox opened no Diagnostics Export";
            return {};
        }
        if (!processEventsUntil([&] { return showsButton(*report, QStringLiteral("Regenerate")); },
                                90'000)) {
            ADD_FAILURE() << "no report: " << texts(*report).join(QLatin1Char('|')).toStdString();
            return {};
        }
        const auto json = tree->find(
            *report, [&](const Node& node) { return tree->role(node) == QStringLiteral("text"); });
        const QString copied = json ? tree->text(*json) : QString();
        if (copied.isEmpty() || !press(*report, QStringLiteral("Copy report")) ||
            !processEventsUntil([&] { return QGuiApplication::clipboard()->text() == copied; },
                                5'000)) {
            ADD_FAILURE() << "Copy report put no report on the clipboard";
            return {};
        }
        return copied;
    }

    // Every role and name on show under `root`, depth first, for a failure's message.
    std::string outline(const Node& root) const {
        QStringList lines;
        tree->find(root, [&](const Node& node) {
            lines << tree->role(node) + u": "_s + tree->name(node);
            return false;
        });
        return lines.join(QLatin1Char('\n')).toStdString();
    }

    // The tray menu's first command, Settings…, chosen by the keyboard: the
    // menu is not in the tree.
    std::optional<Node> openSettingsWindow() const {
        pumpFor(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        if (!clickAt(icon().value_or(QRect()).center(), 1, 3)) {
            return std::nullopt;
        }
        pumpFor(1'000);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Down"),
                                                      QStringLiteral("Return")});
        processEventsUntil([&] { return window(QStringLiteral("Pelmor Settings")).has_value(); },
                           5'000);
        return window(QStringLiteral("Pelmor Settings"));
    }

    // What the radar lists as nearby: network, channel and signal of each row.
    QString nearbyNetworks(const Node& radar) const {
        const QStringList shown = texts(radar);
        const auto list = shown.indexOf(QStringLiteral("Nearby Networks"));
        return list < 0 ? QString() : shown.mid(list + 1).join(QLatin1Char('|'));
    }

    QProcess tray;
    QProcess clipboardManager;
    QProcess pelmor;
    QTemporaryDir configHome;
    std::optional<AccessibilityTree> tree;
};

TEST_F(ToolWindowsEndToEndTest, EachToolWindowOpensFromTheToolboxAndShowsItsResult) {
    const auto radar = openTool(QStringLiteral("Wi-Fi Radar"));
    ASSERT_TRUE(radar) << "the toolbox opened no Wi-Fi Radar";
    const QDeadlineTimer radarMinute(60'000);
    QSet<QString> nearbySeen;
    const auto watchRadar = [&] { nearbySeen.insert(nearbyNetworks(*radar)); };
    watchRadar();

    const auto scan = openTool(QStringLiteral("Channel Scan"));
    ASSERT_TRUE(scan) << "the toolbox opened no Channel Scan";
    ASSERT_TRUE(press(*scan, QStringLiteral("Scan Now")));
    EXPECT_TRUE(processEventsUntil([&] { return showsButton(*scan, QStringLiteral("Scan Again")); },
                                   30'000))
        << "the first scan showed no result";
    ASSERT_TRUE(press(*scan, QStringLiteral("Scan Again")));
    EXPECT_TRUE(
        processEventsUntil([&] { return showsButton(*scan, QStringLiteral("Cancel")); }, 5'000))
        << "Scan Again started no scan";
    EXPECT_TRUE(processEventsUntil([&] { return showsButton(*scan, QStringLiteral("Scan Again")); },
                                   30'000))
        << "the second scan never ended";
    EXPECT_TRUE(texts(*scan).contains(QStringLiteral("Networks Seen")));
    watchRadar();

    const auto speed = openTool(QStringLiteral("Speed Test"));
    ASSERT_TRUE(speed) << "the toolbox opened no Speed Test";
    ASSERT_TRUE(press(*speed, QStringLiteral("Run Test")));
    ASSERT_TRUE(
        processEventsUntil([&] { return showsButton(*speed, QStringLiteral("Cancel")); }, 5'000))
        << "Run Test started no test";
    pumpFor(2'000);
    ASSERT_TRUE(press(*speed, QStringLiteral("Cancel")));
    EXPECT_TRUE(processEventsUntil(
        [&] { return texts(*speed).contains(QStringLiteral("Cancelled")); }, 10'000))
        << texts(*speed).join(QLatin1Char('|')).toStdString();
    watchRadar();

    const auto report = openTool(QStringLiteral("Diagnostics Export"));
    ASSERT_TRUE(report) << "the toolbox opened no Diagnostics Export";
    std::vector<QString> reports;
    for (const bool regenerate : {false, true}) {
        if (regenerate) {
            ASSERT_TRUE(press(*report, QStringLiteral("Regenerate")));
            ASSERT_TRUE(processEventsUntil(
                [&] { return !showsButton(*report, QStringLiteral("Regenerate")); }, 5'000));
        }
        const QDeadlineTimer deadline(90'000);
        while (!showsButton(*report, QStringLiteral("Regenerate")) && !deadline.hasExpired()) {
            pumpFor(1'000);
            watchRadar();
        }
        ASSERT_TRUE(showsButton(*report, QStringLiteral("Regenerate")))
            << "no report: " << texts(*report).join(QLatin1Char('|')).toStdString();
        const auto json = tree->find(
            *report, [&](const Node& node) { return tree->role(node) == QStringLiteral("text"); });
        ASSERT_TRUE(json);
        reports.push_back(tree->text(*json));
        EXPECT_TRUE(reports.back().contains(QStringLiteral("\"exportedAt\"")))
            << reports.back().toStdString();
    }
    EXPECT_NE(reports[0], reports[1]) << "Regenerate made the same report again";

    while (!radarMinute.hasExpired()) {
        pumpFor(2'000);
        watchRadar();
    }
    EXPECT_TRUE(nearbyNetworks(*radar).contains(QStringLiteral(" dBm")))
        << "the radar lists no nearby network";
    EXPECT_GE(nearbySeen.size(), 3) << "the radar's nearby list changed too seldom";

    ASSERT_EQ(pelmor.state(), QProcess::Running) << "pelmor died";
    for (const QString& title :
         {QStringLiteral("Wi-Fi Radar"), QStringLiteral("Channel Scan"),
          QStringLiteral("Speed Test"), QStringLiteral("Diagnostics Export")}) {
        const auto shown = DesktopSession::visibleWindowTitled(title);
        ASSERT_TRUE(shown) << "no window titled " << title.toStdString();
        const QImage picture = DesktopSession::raiseAndGrab(*shown);
        DesktopSession::saveArtefact(
            picture, title.toLower().replace(QLatin1Char(' '), QLatin1Char('-')) + ".png");
        EXPECT_GT(DesktopSession::distinctColors(picture), 100)
            << title.toStdString() << " is blank";
    }
    EXPECT_TRUE(openPopover()) << "the tray icon no longer opens the popover";
    DesktopSession::saveScreenshot(QStringLiteral("tool-windows.png"));
}

// A screen reader reads every window by its role and name, every control
// that takes the focus by a name, the settings pages as page tabs with the
// current one selected, and the radar's drawn score and walking hint as text.
TEST_F(ToolWindowsEndToEndTest, AScreenReaderTellsWhatEachWindowAndControlIs) {
    struct Shown {
        QString window;
        QString role;
        // The whole name, as a pattern.
        QString name;
    };
    const auto expectShown = [&](const Shown& row) {
        SCOPED_TRACE((row.window + u' ' + row.role + u' ' + row.name).toStdString());
        const auto top = row.window == application ? popover() : window(row.window);
        ASSERT_TRUE(top);
        const QRegularExpression name(QRegularExpression::anchoredPattern(row.name));
        const auto matches = [&](const Node& node) {
            return tree->role(node) == row.role && name.match(tree->name(node)).hasMatch();
        };
        EXPECT_TRUE(matches(*top) || tree->find(*top, matches)) << outline(*top);
    };
    // A frame whose every focusable object has a name, with General the
    // selected page tab where there are tabs.
    const auto expectTold = [&](const Node& top) {
        SCOPED_TRACE(tree->name(top).toStdString());
        QStringList nameless;
        QStringList selectedTabs;
        tree->find(top, [&](const Node& node) {
            const QString role = tree->role(node);
            if (tree->isFocusable(node) && tree->name(node).isEmpty()) {
                nameless << role;
            }
            if (role == u"page tab"_s && tree->isSelected(node)) {
                selectedTabs << tree->name(node);
            }
            return false;
        });
        EXPECT_EQ(nameless, QStringList()) << outline(top);
        const bool hasTabs = tree->findNamed(top, u"page tab"_s, u"About"_s).has_value();
        EXPECT_EQ(selectedTabs, hasTabs ? QStringList{u"General"_s} : QStringList());
        EXPECT_EQ(tree->role(top), u"frame"_s);
    };

    ASSERT_TRUE(openTool(QStringLiteral("Wi-Fi Radar")));
    const auto scan = openTool(QStringLiteral("Channel Scan"));
    ASSERT_TRUE(scan && press(*scan, QStringLiteral("Scan Now")));
    ASSERT_TRUE(processEventsUntil([&] { return showsButton(*scan, QStringLiteral("Scan Again")); },
                                   30'000));
    // The test's results show while it runs: it fails soon in this network.
    const auto speed = openTool(QStringLiteral("Speed Test"));
    ASSERT_TRUE(speed && press(*speed, QStringLiteral("Run Test")));
    ASSERT_TRUE(
        processEventsUntil([&] { return showsButton(*speed, QStringLiteral("Cancel")); }, 5'000));
    expectShown({u"Speed Test"_s, u"filler"_s, u"Test results"_s});
    expectTold(*speed);
    const auto report = openTool(QStringLiteral("Diagnostics Export"));
    ASSERT_TRUE(report &&
                processEventsUntil(
                    [&] { return showsButton(*report, QStringLiteral("Regenerate")); }, 90'000));
    ASSERT_TRUE(openSettingsWindow()) << "the tray menu opened no settings window";
    ASSERT_TRUE(openPopover());
    const Node panel = *popover();
    const auto focused = tree->find(panel, [&](const Node& node) { return tree->isFocused(node); });
    ASSERT_TRUE(focused) << "nothing in the popover holds the focus";
    EXPECT_EQ(tree->name(*focused), application) << "opening the popover announces nothing";
    if (press(panel, QStringLiteral("Back to Main"))) {
        processEventsUntil([&] { return showsButton(panel, QStringLiteral("Open Settings")); },
                           5'000);
    }
    ASSERT_TRUE(press(panel, QStringLiteral("Open Settings"))) << outline(panel);
    ASSERT_TRUE(processEventsUntil(
        [&] { return tree->findNamed(panel, u"page tab"_s, u"About"_s).has_value(); }, 5'000))
        << outline(panel);

    for (const Shown& row : std::vector<Shown>{
             {application, u"frame"_s, application},
             {u"Wi-Fi Radar"_s, u"frame"_s, u"Wi-Fi Radar"_s},
             {u"Wi-Fi Radar"_s, u"label"_s, u"Score \\d+, .+"_s},
             {u"Wi-Fi Radar"_s, u"label"_s, u"keep going|go back"_s},
             {u"Wi-Fi Radar"_s, u"list"_s, u"Nearby Networks"_s},
             {u"Channel Scan"_s, u"frame"_s, u"Channel Scan"_s},
             {u"Channel Scan"_s, u"filler"_s, u"Scan results"_s},
             {u"Speed Test"_s, u"frame"_s, u"Speed Test"_s},
             {u"Diagnostics Export"_s, u"frame"_s, u"Diagnostics Export"_s},
             {u"Diagnostics Export"_s, u"text"_s, u"Export Payload \\(JSON\\)"_s},
             {u"Pelmor Settings"_s, u"frame"_s, u"Pelmor Settings"_s},
         }) {
        expectShown(row);
    }
    std::vector<Node> windows = tree->windows(application);
    // The tray icon's own window, embedded in the XEmbed tray.
    const auto icon = std::ranges::find_if(
        windows, [&](const Node& window) { return tree->role(window) == u"push button"_s; });
    ASSERT_NE(icon, windows.end()) << "the tray icon is not told as a button";
    EXPECT_EQ(tree->name(*icon), application);
    windows.erase(icon);
    EXPECT_EQ(windows.size(), 6u);
    for (const Node& top : windows) {
        expectTold(top);
    }
    // A switch's own action does what its click does: here the entry is written.
    const auto launch = tree->findNamed(panel, u"check box"_s, u"Launch at login"_s);
    ASSERT_TRUE(launch && !tree->isChecked(*launch)) << outline(panel);
    EXPECT_TRUE(tree->doAction(*launch, u"Toggle"_s));
    EXPECT_TRUE(processEventsUntil(
        [&] { return QFile::exists(configHome.filePath(u"autostart/pelmor.desktop"_s)); }, 5'000));
    EXPECT_TRUE(tree->isChecked(*launch));
}

// Name lookups hang in this network, as they do when a report is most
// wanted; a report copied then stays pasteable once Pelmor has quit, and the
// quit still ends it within 2 s: the handover took a moment, not its whole bound.
TEST_F(ToolWindowsEndToEndTest, ACopiedReportStaysPasteableAfterPelmorQuits) {
    const QString copied = copyReport();
    ASSERT_FALSE(copied.isEmpty());

    quitPelmorAndExpect(0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied) << "the copied report went with Pelmor";
}

// A display lost while the clipboard manager is asked to take a copied
// report ends Pelmor as any lost display does: with status 1, within 2 s of
// the quit, the handover's wait given up with the display.
TEST_F(ToolWindowsEndToEndTest, ADisplayLostDuringTheClipboardHandoverEndsPelmorWithStatusOne) {
    clipboardManager.terminate();
    ASSERT_TRUE(clipboardManager.waitForFinished(5'000));
    clipboardManager.start(QStringLiteral(PELMOR_CLIPBOARD_MANAGER),
                           {QStringLiteral("--cut-off-saver")});
    ASSERT_TRUE(clipboardManager.waitForReadyRead(5'000) &&
                clipboardManager.readLine().trimmed() == "ready");
    ASSERT_FALSE(copyReport().isEmpty());

    quitPelmorAndExpect(1);
}
