#include "Platform/AppKit/ClipboardManagerHandover.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace {

// Ends `loop` when the manager's answer to `requestor` arrives.
class ManagerAnswerFilter final : public QAbstractNativeEventFilter {
public:
    ManagerAnswerFilter(xcb_window_t requestor, QEventLoop& loop)
        : requestor_(requestor), loop_(loop) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY) {
            return false;
        }
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event);
        if (notify->requestor != requestor_) {
            return false;
        }
        // A manager that could not save answers with no property.
        tookIt_ = notify->property != XCB_ATOM_NONE;
        loop_.quit();
        return true;
    }

    bool tookIt() const { return tookIt_; }

private:
    const xcb_window_t requestor_;
    QEventLoop& loop_;
    bool tookIt_ = false;
};

} // namespace

namespace ClipboardManagerHandover {

bool handOver(std::chrono::milliseconds timeout, const std::function<void()>& willWait) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    QClipboard* clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (connection == nullptr || clipboard == nullptr || !clipboard->ownsClipboard()) {
        return true;
    }
    const xcb_atom_t manager = XcbRequests::internAtom(connection, "CLIPBOARD_MANAGER");
    const xcb_window_t root = XcbRequests::defaultRootWindow(connection);
    if (manager == XCB_ATOM_NONE || root == XCB_WINDOW_NONE ||
        XcbRequests::selectionOwner(connection, manager) == XCB_WINDOW_NONE) {
        return true;
    }
    // The manager answers to a window: an invisible one of our own.
    const xcb_window_t requestor = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, requestor, root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    QEventLoop loop;
    ManagerAnswerFilter filter(requestor, loop);
    qGuiApp->installNativeEventFilter(&filter);
    // No list of targets under the property: the manager saves them all.
    xcb_convert_selection(
        connection, requestor, manager, XcbRequests::internAtom(connection, "SAVE_TARGETS"),
        XcbRequests::internAtom(connection, "PELMOR_CLIPBOARD_HANDOVER"), XCB_CURRENT_TIME);
    xcb_flush(connection);
    willWait();
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    qGuiApp->removeNativeEventFilter(&filter);
    xcb_destroy_window(connection, requestor);
    xcb_flush(connection);
    return filter.tookIt();
}

} // namespace ClipboardManagerHandover
