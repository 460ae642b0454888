#include "Platform/AppKit/Tray/XEmbedTraySelection.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Support/EventLoopWait.h"
#include "Support/OwnXServer.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <gtest/gtest.h>
#include <optional>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

namespace {

// A client that takes the tray selection of the display's default screen, as
// a tray does, with a window of its own.
class SelectionTaker {
public:
    explicit SelectionTaker(const QByteArray& display = {})
        : connection_(xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screen_)) {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int skipped = 0; skipped < screen_; ++skipped) {
            xcb_screen_next(&screens);
        }
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screens.data->root, 0, 0, 1,
                          1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        selection_ = XcbRequests::internAtom(connection_,
                                             "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen_));
    }
    ~SelectionTaker() { disconnect(); }
    SelectionTaker(const SelectionTaker&) = delete;
    SelectionTaker& operator=(const SelectionTaker&) = delete;

    quint32 window() const { return window_; }
    void take() { setOwner(window_); }
    void release() { setOwner(XCB_WINDOW_NONE); }
    // Names a visual with an alpha channel for its icons, and only then
    // tells the root window it is ready (its MANAGER message), as a tray
    // may.
    void nameVisualAndAnnounce() {
        xcb_visualid_t visual = 0;
        for (auto depths = xcb_screen_allowed_depths_iterator(screen()); depths.rem > 0;
             xcb_depth_next(&depths)) {
            if (depths.data->depth == 32 && depths.data->visuals_len > 0) {
                visual = xcb_depth_visuals(depths.data)->visual_id;
            }
        }
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_,
                            XcbRequests::internAtom(connection_, "_NET_SYSTEM_TRAY_VISUAL"),
                            XCB_ATOM_VISUALID, 32, 1, &visual);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = screen()->root;
        message.type = XcbRequests::internAtom(connection_, "MANAGER");
        message.data.data32[0] = XCB_CURRENT_TIME;
        message.data.data32[1] = selection_;
        message.data.data32[2] = window_;
        xcb_send_event(connection_, 0, screen()->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        sync();
    }
    void destroyWindow() {
        xcb_destroy_window(connection_, window_);
        sync();
    }
    void disconnect() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
        }
    }

private:
    xcb_screen_t* screen() const {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int skipped = 0; skipped < screen_; ++skipped) {
            xcb_screen_next(&screens);
        }
        return screens.data;
    }
    void setOwner(xcb_window_t owner) {
        xcb_set_selection_owner(connection_, owner, selection_, XCB_CURRENT_TIME);
        sync();
    }
    // Waits until the server has done what was asked.
    void sync() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    int screen_ = 0;
    xcb_connection_t* connection_;
    xcb_window_t window_ = 0;
    xcb_atom_t selection_ = 0;
};

// Runs the event loop for `milliseconds`, asleep while nothing comes.
void pumpFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// How many times `trays` told of a change of owner.
class ChangeCounter {
public:
    explicit ChangeCounter(const XEmbedTraySelection& trays) {
        QObject::connect(&trays, &XEmbedTraySelection::ownerChanged, &context_,
                         [this] { ++count_; });
    }
    int count() const { return count_; }
    void clear() { count_ = 0; }

private:
    QObject context_;
    int count_ = 0;
};

bool onX() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

} // namespace

// Without Qt on X there is never a tray, even where a display with one is at
// hand.
TEST(XEmbedTraySelectionTest, HasNoOwnerWhereQtIsNotOnX) {
    if (onX()) {
        GTEST_SKIP() << "Skipped: runs where Qt is not on an X display.";
    }
    OwnXServer server;
    if (server.display().isEmpty()) {
        GTEST_SKIP() << "Skipped: Xvfb is not installed.";
    }
    SelectionTaker tray(server.display());
    tray.take();
    const ScopedEnvironmentVariable display("DISPLAY", server.display());
    XEmbedTraySelection trays;
    ChangeCounter changes(trays);
    pumpFor(200);
    EXPECT_FALSE(trays.hasOwner());
    EXPECT_EQ(trays.owner(), 0u);
    EXPECT_EQ(changes.count(), 0);
}

// Each change of the selection's owner on the display Qt is on is told once,
// whichever way the last owner left it; a selection taken again by its owner
// is no change. $DISPLAY naming another display, with a tray of its own,
// changes nothing.
TEST(XEmbedTraySelectionTest, TellsEachChangeOfOwnerOnce) {
    if (!onX()) {
        GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
    }
    OwnXServer otherServer;
    ASSERT_FALSE(otherServer.display().isEmpty()) << "Xvfb did not start";
    SelectionTaker otherTray(otherServer.display());
    otherTray.take();
    SelectionTaker first;
    SelectionTaker second;
    std::optional<XEmbedTraySelection> built;
    {
        const ScopedEnvironmentVariable display("DISPLAY", otherServer.display());
        built.emplace();
    }
    XEmbedTraySelection& trays = *built;
    ASSERT_EQ(trays.owner(), 0u);
    ChangeCounter changes(trays);

    struct Step {
        const char* name;
        std::function<void()> act;
        std::function<quint32()> owner;
        int changes;
    };
    std::unique_ptr<SelectionTaker> late;
    const std::vector<Step> steps{
        {"a tray comes", [&] { first.take(); }, [&] { return first.window(); }, 1},
        {"taken again by its owner", [&] { first.take(); }, [&] { return first.window(); }, 0},
        {"replaced", [&] { second.take(); }, [&] { return second.window(); }, 1},
        {"released", [&] { second.release(); }, [] { return 0u; }, 1},
        {"another comes", [&] { first.take(); }, [&] { return first.window(); }, 1},
        {"its window destroyed", [&] { first.destroyWindow(); }, [] { return 0u; }, 1},
        {"a late one comes",
         [&] {
             late = std::make_unique<SelectionTaker>();
             late->take();
         },
         [&] { return late->window(); }, 1},
        {"its client gone", [&] { late->disconnect(); }, [] { return 0u; }, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        changes.clear();
        step.act();
        EXPECT_TRUE(processEventsUntil([&] { return trays.owner() == step.owner(); }, 5'000));
        pumpFor(150);
        EXPECT_EQ(changes.count(), step.changes);
        EXPECT_EQ(trays.hasOwner(), step.owner() != 0);
    }
}

// A tray that names its visual after taking the selection, and then says it
// is ready: the visual is read then, and told once.
TEST(XEmbedTraySelectionTest, ReadsTheVisualWhenTheTrayAnnouncesItself) {
    if (!onX()) {
        GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
    }
    XEmbedTraySelection trays;
    int announcements = 0;
    QObject::connect(&trays, &XEmbedTraySelection::announced, [&] { ++announcements; });
    SelectionTaker tray;
    tray.take();
    ASSERT_TRUE(processEventsUntil([&] { return trays.owner() == tray.window(); }, 5'000));
    EXPECT_EQ(trays.visualDepth(), 0);
    tray.nameVisualAndAnnounce();
    EXPECT_TRUE(processEventsUntil([&] { return trays.visualDepth() == 32; }, 5'000))
        << "the visual named was not read";
    pumpFor(150);
    EXPECT_EQ(announcements, 1);
}
