#include "Platform/AppKit/Tray/XEmbedTrayIcon.h"

#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Support/EventLoopWait.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QToolTip>

namespace {

constexpr QRgb pictureColor = qRgb(230, 20, 40);
constexpr int trayWidth = 200;
constexpr int trayHeight = 24;

void pumpFor(int milliseconds) {
    processEventsUntil([] { return false; }, milliseconds);
}

// An XEmbed tray along the top right of the screen, as a desktop has one.
void startTray(QProcess& tray, const QStringList& looks = {}) {
    tray.start(QStringLiteral("trayer"),
               QStringList{"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                           QString::number(trayWidth), "--height", QString::number(trayHeight)} +
                   looks);
}

void endTray(QProcess& tray) {
    tray.kill();
    tray.waitForFinished(2'000);
}

QRect trayArea() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.right() + 1 - trayWidth, screen.top(), trayWidth, trayHeight};
}

// A picture twice as wide as high, of one colour.
QIcon widePicture() {
    QPixmap picture(64, 32);
    picture.fill(QColor(pictureColor));
    return QIcon(picture);
}

// This process's windows as the X server has them.
struct OwnWindows {
    int all = 0;
    // Inside another client's window: taken in by a tray.
    int inside = 0;
    // Shown there.
    int held = 0;
    // Shown on the root window by themselves.
    int stray = 0;
};

void countOwnWindows(xcb_connection_t* connection, xcb_window_t window, bool underRoot,
                     OwnWindows& count) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const auto tree = XcbRequests::owned(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree) {
        return;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int index = 0; index < xcb_query_tree_children_length(tree.get()); ++index) {
        const xcb_window_t child = children[index];
        const bool own = (child & ~setup->resource_id_mask) == setup->resource_id_base;
        if (own) {
            const auto attributes = XcbRequests::owned(xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, child), nullptr));
            const bool shown = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            ++count.all;
            count.inside += int(!underRoot);
            count.held += int(shown && !underRoot);
            count.stray += int(shown && underRoot);
        } else {
            countOwnWindows(connection, child, false, count);
        }
    }
}

OwnWindows ownWindows() {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    OwnWindows count;
    countOwnWindows(connection, XcbRequests::defaultRootWindow(connection), true, count);
    return count;
}

QImage screenArea(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

bool holdsPicture(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == pictureColor) {
                return true;
            }
        }
    }
    return false;
}

bool click(QPoint point, int button, int clicks = 1) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {"mousemove", QString::number(point.x()), QString::number(point.y()),
                              "click", "--repeat", QString::number(clicks), "--delay", "80",
                              QString::number(button)}) == 0;
}

bool moveTo(QPoint point) {
    return QProcess::execute(QStringLiteral("xdotool"), {"mousemove", QString::number(point.x()),
                                                         QString::number(point.y())}) == 0;
}

// A tray of the plainest kind: it takes the selection, and takes in the
// first icon that asks. Kept in its save-set, the icon goes back to the root
// window, shown, when the tray ends; otherwise it is destroyed with the tray.
class PlainTray {
public:
    explicit PlainTray(bool keepsInSaveSet)
        : connection_(xcb_connect(nullptr, nullptr)), keepsInSaveSet_(keepsInSaveSet) {
        const xcb_window_t root = XcbRequests::defaultRootWindow(connection_);
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root, 1700, 0, 100, 24, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(connection_, window_);
        xcb_set_selection_owner(
            connection_, window_,
            XcbRequests::internAtom(connection_,
                                    "_NET_SYSTEM_TRAY_S" +
                                        QByteArray::number(XcbRequests::defaultScreenNumber())),
            XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }
    ~PlainTray() { end(); }
    PlainTray(const PlainTray&) = delete;
    PlainTray& operator=(const PlainTray&) = delete;

    xcb_window_t window() const { return window_; }

    // Reads the requests to dock, the event loop running, and takes in each
    // icon they name that is still there, once one is; those read within
    // `ignoringFor` ms are ignored, as by a tray not ready yet. How many it
    // took in.
    int takeIcons(int ignoringFor = 0) {
        QDeadlineTimer ready(ignoringFor);
        int taken = 0;
        processEventsUntil(
            [&] {
                while (const auto event = XcbRequests::owned(xcb_poll_for_event(connection_))) {
                    if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && ready.hasExpired()) {
                        taken += int(
                            take(reinterpret_cast<const xcb_client_message_event_t*>(event.get())
                                     ->data.data32[2]));
                    }
                }
                return taken > 0;
            },
            ignoringFor + 10'000);
        return taken;
    }
    void end() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
        }
    }

private:
    bool take(xcb_window_t icon) {
        if (keepsInSaveSet_) {
            xcb_change_save_set(connection_, XCB_SET_MODE_INSERT, icon);
        }
        const auto error = XcbRequests::owned(xcb_request_check(
            connection_, xcb_reparent_window_checked(connection_, icon, window_, 0, 0)));
        xcb_map_window(connection_, icon);
        xcb_flush(connection_);
        return error == nullptr;
    }

    xcb_connection_t* connection_;
    bool keepsInSaveSet_;
    xcb_window_t window_ = 0;
};

} // namespace

class XEmbedTrayIconXTest : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
        }
        for (const char* program : {"trayer", "xdotool"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
                GTEST_SKIP() << "Skipped: " << program << " is not installed.";
            }
        }
    }

    void TearDown() override { endTray(tray); }

    // Held by the tray, shown where the tray is, and nowhere else.
    void expectHeldByTheTray(const XEmbedTrayIcon& icon) {
        ASSERT_TRUE(processEventsUntil([&] { return icon.isEmbedded(); }, 10'000))
            << "the icon was not docked";
        // The tray lays its icons out after taking them in.
        ASSERT_TRUE(
            processEventsUntil([&] { return trayArea().contains(icon.iconGeometry()); }, 5'000))
            << "the icon is at " << icon.iconGeometry().x() << "," << icon.iconGeometry().y();
        const OwnWindows windows = ownWindows();
        EXPECT_EQ(windows.held, 1);
        EXPECT_EQ(windows.stray, 0);
    }

    QProcess tray;
};

// The icon docks into the tray there when it is asked to, and into one that
// comes late (a tray replaced: below).
TEST_F(XEmbedTrayIconXTest, DocksIntoEachTrayThatComes) {
    for (const int trayDelay : {0, 1'000}) {
        SCOPED_TRACE(testing::Message() << "a tray " << trayDelay << " ms late");
        if (trayDelay == 0) {
            startTray(tray);
        }
        XEmbedTraySelection trays;
        XEmbedTrayIcon icon(trays);
        icon.setIcon(widePicture());
        ASSERT_TRUE(
            processEventsUntil([&] { return trays.hasOwner() == (trayDelay == 0); }, 10'000));
        icon.setDocked(true);
        pumpFor(trayDelay);
        EXPECT_FALSE(trayDelay > 0 && icon.isVisible()) << "shown with no tray";
        if (trayDelay > 0) {
            startTray(tray);
        }
        expectHeldByTheTray(icon);
        endTray(tray);
    }
}

// A tray that ends shows nothing of the icon on the screen, whether the
// server hands the icon back to the root window or destroys it with the tray;
// the next tray takes it in.
TEST_F(XEmbedTrayIconXTest, ShowsNothingWhenItsTrayEndsAndDocksIntoTheNext) {
    for (const bool keepsInSaveSet : {true, false}) {
        SCOPED_TRACE(keepsInSaveSet ? "kept in the tray's save-set" : "not in its save-set");
        XEmbedTraySelection trays;
        XEmbedTrayIcon icon(trays);
        icon.setIcon(widePicture());
        PlainTray plainTray(keepsInSaveSet);
        // Not the tray of the last test, which the server may not have seen
        // end yet.
        ASSERT_TRUE(processEventsUntil([&] { return trays.owner() == plainTray.window(); }, 5'000));
        icon.setDocked(true);
        ASSERT_EQ(plainTray.takeIcons(), 1);
        ASSERT_TRUE(processEventsUntil([&] { return icon.isEmbedded(); }, 5'000));
        plainTray.end();
        ASSERT_TRUE(processEventsUntil([&] { return !icon.isEmbedded(); }, 5'000));
        pumpFor(500);
        EXPECT_EQ(ownWindows().stray, 0);
        startTray(tray);
        expectHeldByTheTray(icon);
        endTray(tray);
    }
}

// A tray busy when the icon asks takes it in once when it is free again; a
// tray that ignores requests at first (not ready yet) takes it in when it
// answers, however late.
TEST_F(XEmbedTrayIconXTest, DocksOnceIntoATrayBusyOrLateAtFirst) {
    struct Row {
        const char* name;
        int busyFor;
        int ignoringFor;
    };
    for (const Row& row : {Row{"busy 5 s", 5'000, 0}, Row{"ignoring 9 s", 0, 9'000}}) {
        SCOPED_TRACE(row.name);
        XEmbedTraySelection trays;
        XEmbedTrayIcon icon(trays);
        icon.setIcon(widePicture());
        PlainTray plainTray(false);
        ASSERT_TRUE(processEventsUntil([&] { return trays.owner() == plainTray.window(); }, 5'000));
        icon.setDocked(true);
        pumpFor(row.busyFor);
        EXPECT_EQ(plainTray.takeIcons(row.ignoringFor), 1) << "not taken in once";
        EXPECT_TRUE(processEventsUntil([&] { return icon.isEmbedded(); }, 5'000));
        pumpFor(500);
        EXPECT_EQ(ownWindows().inside, 1);
    }
}

// Forty trays in a row, each ended and replaced: one icon held by the last,
// no window left behind.
TEST_F(XEmbedTrayIconXTest, StaysOneIconOverFortyTrays) {
    XEmbedTraySelection trays;
    XEmbedTrayIcon icon(trays);
    icon.setIcon(widePicture());
    startTray(tray);
    icon.setDocked(true);
    expectHeldByTheTray(icon);
    const int windowsAtFirst = ownWindows().all;
    for (int replacement = 1; replacement < 40 && !HasFatalFailure(); ++replacement) {
        SCOPED_TRACE(replacement);
        endTray(tray);
        startTray(tray);
        expectHeldByTheTray(icon);
    }
    EXPECT_EQ(ownWindows().all, windowsAtFirst);
}

// The picture is drawn over what the tray shows behind it, on a tray whose
// visual has no alpha channel: no dark square around it.
TEST_F(XEmbedTrayIconXTest, DrawsThePictureOverTheTray) {
    const QColor tint(40, 160, 90);
    startTray(tray, {"--transparent", "true", "--alpha", "0", "--tint",
                     QStringLiteral("0x%1").arg(tint.rgb() & 0xffffff, 6, 16, QLatin1Char('0'))});
    XEmbedTraySelection trays;
    XEmbedTrayIcon icon(trays);
    icon.setIcon(widePicture());
    icon.setDocked(true);
    expectHeldByTheTray(icon);
    QRect shown;
    QImage picture;
    QImage beside;
    const auto readScreen = [&] {
        shown = icon.iconGeometry();
        picture = screenArea(shown);
        beside = screenArea(QRect(shown.left() - 2, shown.top(), 1, shown.height()));
        return picture.pixel(picture.rect().center()) == pictureColor &&
               picture.pixel(0, 0) != pictureColor && picture.pixel(0, 0) == beside.pixel(0, 0);
    };
    // The tray draws its background in its own time, and the icon reads it
    // again after.
    processEventsUntil(readScreen, 5'000);
    EXPECT_EQ(picture.pixel(picture.rect().center()), pictureColor);
    // Twice as wide as high, kept so: the top and bottom rows are the tray's.
    EXPECT_NE(picture.pixel(0, 0), pictureColor);
    EXPECT_EQ(picture.pixel(0, 0), beside.pixel(0, 0)) << "not the tray's background";
    EXPECT_EQ(picture.pixel(0, picture.height() - 1), beside.pixel(0, picture.height() - 1));
}

// Clicks through the X server, at the place iconGeometry gives: each reported
// with the pointer's place.
TEST_F(XEmbedTrayIconXTest, ReportsClicksWhereTheyWere) {
    startTray(tray);
    XEmbedTraySelection trays;
    XEmbedTrayIcon icon(trays);
    icon.setIcon(widePicture());
    icon.setToolTip(QStringLiteral("Pelmor"));
    icon.setDocked(true);
    expectHeldByTheTray(icon);
    pumpFor(500);
    std::vector<std::pair<QSystemTrayIcon::ActivationReason, QPoint>> reports;
    QObject::connect(&icon, &XEmbedTrayIcon::activated,
                     [&](QSystemTrayIcon::ActivationReason reason, QPoint at) {
                         reports.emplace_back(reason, at);
                     });
    using Reports = std::vector<QSystemTrayIcon::ActivationReason>;
    struct Row {
        const char* name;
        int button;
        int clicks;
        Reports expected;
    };
    const QPoint center = icon.iconGeometry().center();
    for (const Row& row :
         {Row{"left", 1, 1, {QSystemTrayIcon::Trigger}},
          Row{"right", 3, 1, {QSystemTrayIcon::Context}},
          Row{"middle", 2, 1, {QSystemTrayIcon::MiddleClick}},
          // The second press of a double-click is its own report.
          Row{"double", 1, 2, {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}}}) {
        SCOPED_TRACE(row.name);
        reports.clear();
        ASSERT_TRUE(click(center, row.button, row.clicks));
        processEventsUntil([&] { return reports.size() >= row.expected.size(); }, 3'000);
        pumpFor(400);
        Reports reasons;
        for (const auto& [reason, at] : reports) {
            reasons.push_back(reason);
            EXPECT_EQ(at, center);
        }
        EXPECT_EQ(reasons, row.expected);
    }
    // The pointer come to rest on it shows the tooltip.
    ASSERT_TRUE(moveTo(center + QPoint(40, 40)));
    ASSERT_TRUE(moveTo(center + QPoint(1, 1)));
    EXPECT_TRUE(processEventsUntil(
        [] { return QToolTip::isVisible() && QToolTip::text() == QStringLiteral("Pelmor"); },
        5'000));
}

// Undocked, the icon leaves the tray, which shows nothing of it; docked
// again, the tray takes it back.
TEST_F(XEmbedTrayIconXTest, LeavesTheTrayWhenUndocked) {
    startTray(tray);
    XEmbedTraySelection trays;
    XEmbedTrayIcon icon(trays);
    icon.setIcon(widePicture());
    icon.setDocked(true);
    expectHeldByTheTray(icon);
    ASSERT_TRUE(processEventsUntil([&] { return holdsPicture(screenArea(trayArea())); }, 3'000));

    icon.setDocked(false);
    processEventsUntil(
        [&] { return ownWindows().inside == 0 && !holdsPicture(screenArea(trayArea())); }, 5'000);
    EXPECT_FALSE(icon.isEmbedded());
    EXPECT_TRUE(icon.iconGeometry().isEmpty());
    const OwnWindows windows = ownWindows();
    EXPECT_EQ(windows.inside, 0) << "still in the tray";
    EXPECT_EQ(windows.stray, 0);
    EXPECT_FALSE(holdsPicture(screenArea(trayArea()))) << "the tray still shows the icon";

    icon.setDocked(true);
    expectHeldByTheTray(icon);
}
