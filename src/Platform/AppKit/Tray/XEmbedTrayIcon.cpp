#include "Platform/AppKit/Tray/XEmbedTrayIcon.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/AppKit/Tray/XEmbedTraySelection.h"
#include "Platform/AppKit/Xcb/ScreenPixels.h"
#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <algorithm>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

constexpr QSize defaultSize(22, 22);
constexpr std::chrono::milliseconds backgroundSettling(500);
// A tray that has not docked the icon is asked again, after 0.5, 1 and 2 s
// and then every 4 s, for as long as it holds the selection: one still
// letting the icon go ignores a request, one starting or busy answers late.
constexpr std::chrono::milliseconds firstDockRetry(500);
constexpr std::chrono::milliseconds slowestDockRetry(4'000);
constexpr std::uint32_t requestDockOpcode = 0;
constexpr std::uint32_t xembedVersion = 0;
constexpr std::uint32_t xembedMapped = 1;

} // namespace

XEmbedTrayIcon::XEmbedTrayIcon(XEmbedTraySelection& trays, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint),
      trays_(trays) {
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // Drawn by putFrame, not through Qt's backing store.
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_QuitOnClose, false);
    // A window of this application's own to a screen reader: read as the
    // button it is, by the name its owner gives, not as a nameless filler.
    AccessibleRole::set(*this, QAccessible::Button);
    // A tray asks the window's least size (its size hints) for its place, and
    // gives it a sliver where none is said; it may still size it otherwise.
    setMinimumSize(defaultSize);
    resize(defaultSize);
    connect(&trays_, &XEmbedTraySelection::ownerChanged, this, &XEmbedTrayIcon::followTray);
    connect(&trays_, &XEmbedTraySelection::announced, this, &XEmbedTrayIcon::trayAnnounced);
    backgroundTimer_.setSingleShot(true);
    backgroundTimer_.setInterval(backgroundSettling);
    dockRetryTimer_.setSingleShot(true);
    connect(&dockRetryTimer_, &QTimer::timeout, this, [this] {
        if (docked_ && !embedded_) {
            sendDockRequest();
        }
    });
    connect(&backgroundTimer_, &QTimer::timeout, this, [this] {
        backgroundStale_ = true;
        update();
    });
    if (XcbRequests::qtConnection() != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

XEmbedTrayIcon::~XEmbedTrayIcon() {
    if (XcbRequests::qtConnection() != nullptr && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void XEmbedTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    update();
}

void XEmbedTrayIcon::setDocked(bool docked) {
    if (docked == docked_) {
        return;
    }
    docked_ = docked;
    if (docked_) {
        requestDock();
    } else {
        leaveTray();
    }
}

QRect XEmbedTrayIcon::iconGeometry() const {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (!embedded_ || connection == nullptr) {
        return {};
    }
    const std::optional<QRect> shown =
        XcbRequests::rootGeometry(connection, xcb_window_t(internalWinId()));
    return shown ? ScreenPixels::toLogical(*shown) : QRect();
}

void XEmbedTrayIcon::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    QImage frame(size() * ratio,
                 translucent_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    QPainter painter(&frame);
    if (translucent_) {
        frame.fill(Qt::transparent);
    } else {
        if (backgroundStale_) {
            refreshBackground();
        }
        painter.drawImage(rect(), background_);
    }
    QPixmap picture = icon_.pixmap(size(), ratio);
    if (!picture.isNull()) {
        picture = picture.scaled(size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
        QRect placed(QPoint(), picture.deviceIndependentSize().toSize());
        placed.moveCenter(rect().center());
        painter.drawPixmap(placed.topLeft(), picture);
    }
    painter.end();
    putFrame(frame);
}

// Drawn into the window at the window's own depth. Qt's backing store keeps
// the depth of the widget's first window for as long as the widget lives,
// and fails to draw into a window made anew for a tray of another visual.
void XEmbedTrayIcon::putFrame(const QImage& frame) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto window = xcb_window_t(internalWinId());
    if (connection == nullptr || window == 0) {
        return;
    }
    const auto geometry = XcbRequests::owned(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32)) {
        return;
    }
    const xcb_gcontext_t context = xcb_generate_id(connection);
    xcb_create_gc(connection, context, window, 0, nullptr);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, context,
                  std::uint16_t(frame.width()), std::uint16_t(frame.height()), 0, 0, 0,
                  geometry->depth, std::uint32_t(frame.sizeInBytes()), frame.constBits());
    xcb_free_gc(connection, context);
    xcb_flush(connection);
}

void XEmbedTrayIcon::resizeEvent(QResizeEvent* event) {
    readBackgroundAgain();
    QWidget::resizeEvent(event);
}

void XEmbedTrayIcon::moveEvent(QMoveEvent* event) {
    // The tray lays its icons out anew: another part of its background.
    readBackgroundAgain();
    QWidget::moveEvent(event);
}

void XEmbedTrayIcon::readBackgroundAgain() {
    backgroundStale_ = true;
    update();
    // A tray that has just started draws its own background after taking the
    // icon in: read once more when it has had the time to.
    backgroundTimer_.start();
}

void XEmbedTrayIcon::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    switch (event->button()) {
    case Qt::LeftButton:
        emit activated(QSystemTrayIcon::Trigger, at);
        break;
    case Qt::RightButton:
        emit activated(QSystemTrayIcon::Context, at);
        break;
    case Qt::MiddleButton:
        emit activated(QSystemTrayIcon::MiddleClick, at);
        break;
    default:
        break;
    }
}

void XEmbedTrayIcon::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit activated(QSystemTrayIcon::DoubleClick, event->globalPosition().toPoint());
    }
}

bool XEmbedTrayIcon::nativeEventFilter(const QByteArray& eventType, void* message,
                                       qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto window = xcb_window_t(internalWinId());
    switch (event->response_type & 0x7f) {
    case XCB_REPARENT_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        if (window != 0 && notify->window == window && notify->event == window) {
            reparented(notify->parent);
        }
        return false;
    }
    case XCB_DESTROY_NOTIFY: {
        // Destroyed with a tray that ended without giving it back (not in its
        // save-set): the next dock is of a window made anew.
        const auto* notify = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (window != 0 && notify->window == window) {
            goneWindow_ = window;
            embedded_ = false;
            hide();
        }
        return false;
    }
    default:
        return false;
    }
}

void XEmbedTrayIcon::followTray() {
    if (!docked_) {
        return;
    }
    // A tray that loses the selection while it runs may keep what it holds.
    if (embedded_) {
        leaveTray();
    }
    requestDock();
}

void XEmbedTrayIcon::trayAnnounced() {
    if (!docked_) {
        return;
    }
    const bool visualKept = translucent_ == (trays_.visualDepth() == 32);
    if (visualKept && (embedded_ || (requestUnanswered_ && askedTray_ == trays_.owner()))) {
        // Held, or asked already: the request stands.
        return;
    }
    if (embedded_) {
        // Held in a window of the visual it named before: taken in anew.
        leaveTray();
    }
    requestDock();
}

void XEmbedTrayIcon::requestDock() {
    dockRequests_ = 0;
    sendDockRequest();
}

void XEmbedTrayIcon::askAgainLater() {
    const int doublings = std::clamp(dockRequests_ - 1, 0, 3);
    dockRetryTimer_.start(std::min(firstDockRetry * (1 << doublings), slowestDockRetry));
}

void XEmbedTrayIcon::sendDockRequest() {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (!docked_ || !trays_.hasOwner() || connection == nullptr) {
        return;
    }
    if (requestUnanswered_ && internalWinId() != 0) {
        // A request is never sent again on top of itself: a tray busy all
        // the while would take both, one after the other, and drop the icon
        // or hold it twice. Withdrawn with its window, it names one gone.
        destroy();
    }
    prepareWindow();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = trays_.owner();
    message.type = XcbRequests::internAtom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = requestDockOpcode;
    message.data.data32[2] = std::uint32_t(winId());
    xcb_send_event(connection, 0, trays_.owner(), XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    requestUnanswered_ = true;
    askedTray_ = trays_.owner();
    ++dockRequests_;
    askAgainLater();
}

void XEmbedTrayIcon::leaveTray() {
    embedded_ = false;
    dockRetryTimer_.stop();
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr || internalWinId() == 0) {
        return;
    }
    hide();
    // Unmapped first, so that it never shows on the root window; the tray
    // then drops its place for it.
    const auto window = xcb_window_t(internalWinId());
    xcb_unmap_window(connection, window);
    xcb_reparent_window(connection, window, XcbRequests::defaultRootWindow(connection), 0, 0);
    xcb_flush(connection);
}

void XEmbedTrayIcon::reparented(quint32 parent) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (parent == XcbRequests::defaultRootWindow(connection)) {
        // The tray let it go or ended (the server then maps it on the root
        // window): nothing stays on the screen.
        embedded_ = false;
        hide();
        xcb_unmap_window(connection, xcb_window_t(internalWinId()));
        xcb_flush(connection);
        if (docked_) {
            askAgainLater();
        }
        return;
    }
    if (!docked_) {
        leaveTray();
        return;
    }
    embedded_ = true;
    requestUnanswered_ = false;
    dockRetryTimer_.stop();
    show();
    readBackgroundAgain();
}

void XEmbedTrayIcon::prepareWindow() {
    const bool translucent = trays_.visualDepth() == 32;
    const bool gone = internalWinId() != 0 && internalWinId() == goneWindow_;
    if (internalWinId() != 0 && (gone || translucent != translucent_)) {
        // A window's visual is chosen when it is made; one the server
        // destroyed is made anew.
        destroy();
    }
    translucent_ = translucent;
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto window = xcb_window_t(winId());
    if (!translucent_) {
        // The window shows its parent's background wherever it is cleared.
        const std::uint32_t parentRelative = XCB_BACK_PIXMAP_PARENT_RELATIVE;
        xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &parentRelative);
    }
    const xcb_atom_t info = XcbRequests::internAtom(connection, "_XEMBED_INFO");
    const std::array<std::uint32_t, 2> embedding{xembedVersion, xembedMapped};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, info, info, 32, embedding.size(),
                        embedding.data());
}

void XEmbedTrayIcon::refreshBackground() {
    backgroundStale_ = false;
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr || internalWinId() == 0) {
        background_ = QImage();
        return;
    }
    if (compositing_.isCompositing()) {
        background_ = trayBesideIcon(connection);
        if (!background_.isNull()) {
            return;
        }
    }
    // Cleared, the window shows what the tray draws behind it; read back, it
    // is drawn under the picture. A window above the tray would be read too.
    xcb_clear_area(connection, 0, xcb_window_t(internalWinId()), 0, 0, 0, 0);
    background_ = screen()->grabWindow(internalWinId()).toImage();
}

// Under a compositing manager the screen shows what the tray draws, and the
// tray's windows behind the icon hold what it never drew there: the tray's
// column just beside the icon, as the screen shows it, is spread across.
QImage XEmbedTrayIcon::trayBesideIcon(xcb_connection_t* connection) const {
    const auto window = xcb_window_t(internalWinId());
    const std::optional<QRect> icon = XcbRequests::rootGeometry(connection, window);
    const std::optional<QRect> tray =
        XcbRequests::rootGeometry(connection, XcbRequests::topLevelOf(connection, window));
    if (!icon || !tray) {
        return {};
    }
    const int column = icon->left() > tray->left() ? icon->left() - 1 : icon->right() + 1;
    if (column > tray->right()) {
        return {};
    }
    const QRect beside = ScreenPixels::toLogical(QRect(column, icon->top(), 1, icon->height()));
    return screen()
        ->grabWindow(0, beside.x(), beside.y(), beside.width(), beside.height())
        .toImage()
        .scaled(icon->size());
}
