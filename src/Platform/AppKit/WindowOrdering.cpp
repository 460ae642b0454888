#include "Platform/AppKit/WindowOrdering.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <algorithm>

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace WindowOrdering {

namespace {

// Whether the window is still to be made active: not where the server has it
// minimised (a minimise the window manager took after the map, of which Qt
// may not have heard yet), nor already active (the manager activates a window
// it maps or restores, and the user may have minimised it since).
bool awaitsActivation(const QWidget& window) {
    if (window.windowState() & Qt::WindowMinimized) {
        return false;
    }
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return true;
    }
    constexpr std::uint32_t iconicState = 3;
    const auto native = xcb_window_t(window.winId());
    const std::vector<std::uint32_t> state = XcbRequests::property32(
        connection, native, XcbRequests::internAtom(connection, "WM_STATE"));
    const std::vector<std::uint32_t> active =
        XcbRequests::property32(connection, XcbRequests::defaultRootWindow(connection),
                                XcbRequests::internAtom(connection, "_NET_ACTIVE_WINDOW"));
    const bool isIconic = !state.empty() && state.front() == iconicState;
    const bool isActive = !active.empty() && active.front() == native;
    return !isIconic && !isActive;
}

// Asks the window manager, once, to take `name` off the window's states,
// where it holds it, as a client asks to take a state away.
void takeStateOff(xcb_connection_t* connection, xcb_window_t native, const char* name) {
    const xcb_atom_t state = XcbRequests::internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t taken = XcbRequests::internAtom(connection, name);
    const std::vector<std::uint32_t> states = XcbRequests::property32(connection, native, state);
    if (std::find(states.begin(), states.end(), taken) == states.end()) {
        return;
    }
    constexpr std::uint32_t removing = 0;
    constexpr std::uint32_t fromApplication = 1;
    XcbRequests::sendToWindowManager(connection, native, state,
                                     {removing, taken, 0, fromApplication, 0});
}

// Asks the window manager to take the hidden state off a window it shows
// again but still marks hidden (jwm keeps it through a restore), so that
// pagers and taskbars do not take it for minimised.
void clearStaleHiddenState(const QWidget& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return;
    }
    constexpr std::uint32_t normalState = 1;
    const auto native = xcb_window_t(window.winId());
    const std::vector<std::uint32_t> wmState = XcbRequests::property32(
        connection, native, XcbRequests::internAtom(connection, "WM_STATE"));
    if (!wmState.empty() && wmState.front() == normalState) {
        takeStateOff(connection, native, "_NET_WM_STATE_HIDDEN");
    }
}

// Activates a window once it is mapped, unless it was minimised or closed
// first: an activation asked of an unmapped window is sent when it maps, and
// would then take back a minimise that came meanwhile.
class ActivationOnExposure final : public QObject {
public:
    explicit ActivationOnExposure(QWidget& window) : QObject(&window), window_(&window) {
        setObjectName(QStringLiteral("ActivationOnExposure"));
        window.windowHandle()->installEventFilter(this);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (window_.isNull()) {
            return false;
        }
        if (watched == window_->windowHandle() && event->type() == QEvent::Expose &&
            window_->windowHandle()->isExposed()) {
            if (awaitsActivation(*window_)) {
                window_->activateWindow();
            }
            clearStaleHiddenState(*window_);
            finish();
        } else if (watched == window_ && (event->type() == QEvent::Hide ||
                                          (event->type() == QEvent::WindowStateChange &&
                                           window_->windowState() & Qt::WindowMinimized))) {
            finish();
        }
        return false;
    }

private:
    void finish() {
        window_->windowHandle()->removeEventFilter(this);
        window_->removeEventFilter(this);
        window_ = nullptr;
        deleteLater();
    }

    QPointer<QWidget> window_;
};

// Asks the window manager to roll a rolled-up (shaded) window down: Qt knows
// no such state, and fluxbox, icewm and xfwm4 keep it through an activation
// (the last two with the client unmapped).
void rollDown(QWidget& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection != nullptr && window.testAttribute(Qt::WA_WState_Created)) {
        takeStateOff(connection, xcb_window_t(window.winId()), "_NET_WM_STATE_SHADED");
    }
}

// Asks the window manager to move a window left on another desktop to the
// one the user is on: an activation alone does not bring it (openbox leaves
// it there, unmapped). A window on every desktop, or one the manager has not
// put on any (unmapped, or no desktops kept), is left alone.
void bringToCurrentDesktop(QWidget& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const auto native = xcb_window_t(window.winId());
    const xcb_atom_t desktop = XcbRequests::internAtom(connection, "_NET_WM_DESKTOP");
    const std::vector<std::uint32_t> windowDesktop =
        XcbRequests::property32(connection, native, desktop);
    const std::vector<std::uint32_t> currentDesktop =
        XcbRequests::property32(connection, XcbRequests::defaultRootWindow(connection),
                                XcbRequests::internAtom(connection, "_NET_CURRENT_DESKTOP"));
    constexpr std::uint32_t everyDesktop = 0xFFFFFFFF;
    if (windowDesktop.empty() || currentDesktop.empty() || windowDesktop.front() == everyDesktop ||
        windowDesktop.front() == currentDesktop.front()) {
        return;
    }
    constexpr std::uint32_t fromApplication = 1;
    XcbRequests::sendToWindowManager(connection, native, desktop,
                                     {currentDesktop.front(), fromApplication, 0, 0, 0});
}

} // namespace

void makeKeyAndOrderFront(QWidget& window) {
    bringToCurrentDesktop(window);
    rollDown(window);
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    if (window.windowHandle()->isExposed()) {
        window.activateWindow();
    } else if (window.findChild<QObject*>(QStringLiteral("ActivationOnExposure"),
                                          Qt::FindDirectChildrenOnly) == nullptr) {
        new ActivationOnExposure(window);
    }
}

} // namespace WindowOrdering
