#include "Platform/AppKit/Tray/StatusItem.h"

#include "Support/EventLoopWait.h"
#include "Support/PrivateSessionBus.h"

#include <climits>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

// A host's clicks as any peer on the bus may send them: the place given is
// data, whatever it is. The popover opens by a place on a screen, and by the
// pointer where the place is off every screen; so does the menu.
TEST(StatusItemTest, AHostsClickOpensByThePlaceGivenOrByThePointer) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection pelmor = bus.connect();
    StatusItem item(pelmor);
    item.setIcon(QIcon(QPixmap(4, 4)));
    item.addMenuCommand(u"Quit"_s, [] {});
    QDBusConnection host = bus.connect();
    const QPoint pointer = QGuiApplication::primaryScreen()->geometry().center();
    QCursor::setPos(pointer);

    struct Click {
        const char* method;
        QPoint given;
        QPoint opensBy;
    };
    const Click clicks[] = {
        {"Activate", {30, 40}, {30, 40}},
        {"Activate", {INT_MAX, INT_MIN}, pointer},
        {"Activate", {31, 41}, {31, 41}},
        {"Activate", {INT_MAX - 100, 10}, pointer},
        {"Activate", {32, 42}, {32, 42}},
        {"Activate", {INT_MIN, INT_MAX}, pointer},
        {"ContextMenu", {INT_MAX, INT_MIN}, pointer},
        {"ContextMenu", {INT_MIN, -1}, pointer},
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE(testing::Message()
                     << click.method << " at " << click.given.x() << "," << click.given.y());
        QDBusMessage message = QDBusMessage::createMethodCall(
            pelmor.baseService(), u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s,
            QString::fromLatin1(click.method));
        message << click.given.x() << click.given.y();
        ASSERT_EQ(host.call(message, QDBus::BlockWithGui, 5'000).type(),
                  QDBusMessage::ReplyMessage);
        // Where the popover opens: by the icon's place, or by the pointer
        // where the item has none; where the menu shows.
        const auto opensBy = [&]() -> std::optional<QPoint> {
            if (QString::fromLatin1(click.method) == u"ContextMenu"_s) {
                QWidget* menu = QApplication::activePopupWidget();
                return menu != nullptr ? std::optional(menu->pos()) : std::nullopt;
            }
            return item.geometry().isEmpty() ? pointer : item.geometry().center();
        };
        EXPECT_TRUE(processEventsUntil([&] { return opensBy() == click.opensBy; }, 5'000))
            << "opens by " << opensBy().value_or(QPoint()).x() << ","
            << opensBy().value_or(QPoint()).y();
        if (QWidget* menu = QApplication::activePopupWidget()) {
            menu->close();
        }
    }
}
