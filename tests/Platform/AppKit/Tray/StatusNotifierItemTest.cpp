#include "Platform/AppKit/Tray/StatusNotifierItem.h"

#include "Platform/DBus/DBusMenuTypes.h"
#include "Support/EventLoopWait.h"
#include "Support/PrivateSessionBus.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include <QAction>
#include <QDBusMessage>
#include <QDBusReply>
#include <QImage>
#include <QPixmap>

using namespace Qt::Literals::StringLiterals;

namespace {

// The names of the signals a host hears.
class HeardSignals : public QObject {
    Q_OBJECT
public:
    QStringList names;

public slots:
    void heard(const QDBusMessage& signal) { names.append(signal.member()); }
};

} // namespace

// The item as a StatusNotifier host sees it: read and called over a private
// bus from a connection of the host's own.
class StatusNotifierItemTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        ASSERT_TRUE(item.isExported());
    }

    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(item.serviceName(), path, interface, method);
        message.setArguments(arguments);
        return host.call(message, QDBus::BlockWithGui, 5'000);
    }

    QVariant property(const QString& name) {
        const QDBusMessage reply =
            call(u"/StatusNotifierItem"_s, u"org.freedesktop.DBus.Properties"_s, u"Get"_s,
                 {u"org.kde.StatusNotifierItem"_s, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    PrivateSessionBus bus;
    StatusNotifierItem item{bus.connect(), u"pelmor"_s, u"Pelmor"_s};
    QDBusConnection host = bus.connect();
};

TEST_F(StatusNotifierItemTest, AHostReadsThePictureAsNetworkOrderARGBAndTheToolTip) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0x11, 0x22, 0x33, 0xff));
    picture.setPixel(1, 0, qRgba(0x00, 0x00, 0x00, 0x00));
    item.setIcon(QIcon(QPixmap::fromImage(picture)));
    item.setToolTip(u"pelmor"_s);

    const auto pixmaps = qdbus_cast<QList<StatusNotifierPixmap>>(property(u"IconPixmap"_s));
    ASSERT_EQ(pixmaps.size(), 1);
    EXPECT_EQ(pixmaps[0].width, 2);
    EXPECT_EQ(pixmaps[0].height, 1);
    EXPECT_EQ(pixmaps[0].bytes, QByteArray::fromHex("ff112233"
                                                    "00000000"));
    EXPECT_EQ(qdbus_cast<StatusNotifierToolTip>(property(u"ToolTip"_s)).title, u"pelmor"_s);
    EXPECT_EQ(property(u"Id"_s).toString(), u"pelmor"_s);
    EXPECT_EQ(property(u"Status"_s).toString(), u"Active"_s);
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(property(u"Menu"_s)).path(), u"/MenuBar"_s);
}

// The host lays the menu out from its layout and reports the item chosen.
TEST_F(StatusNotifierItemTest, TheMenuAHostShowsRunsTheCommandChosen) {
    QStringList ran;
    QAction settings(u"Settings…"_s);
    QAction quit(u"Quit"_s);
    QObject::connect(&settings, &QAction::triggered, [&] { ran.append(u"settings"_s); });
    QObject::connect(&quit, &QAction::triggered, [&] { ran.append(u"quit"_s); });
    item.setCommands({&settings, &quit});

    const QDBusMessage layout =
        call(u"/MenuBar"_s, u"com.canonical.dbusmenu"_s, u"GetLayout"_s, {0, -1, QStringList()});
    ASSERT_EQ(layout.type(), QDBusMessage::ReplyMessage) << layout.errorMessage().toStdString();
    const auto root = qdbus_cast<DBusMenuLayoutItem>(layout.arguments().value(1));
    QStringList labels;
    for (const DBusMenuLayoutItem& child : root.children) {
        labels.append(child.properties.value(u"label"_s).toString());
    }
    EXPECT_EQ(labels, (QStringList{u"Settings…"_s, u"Quit"_s}));

    // Hosts report a click singly or in a group (libdbusmenu does the latter).
    const DBusMenuEvent quitClicked{root.children.value(1).id, u"clicked"_s,
                                    QDBusVariant(QVariant(0)), 0u};
    call(u"/MenuBar"_s, u"com.canonical.dbusmenu"_s, u"EventGroup"_s,
         {QVariant::fromValue(QList<DBusMenuEvent>{quitClicked})});
    call(u"/MenuBar"_s, u"com.canonical.dbusmenu"_s, u"Event"_s,
         {root.children.value(0).id, u"hovered"_s, QVariant::fromValue(QDBusVariant(QVariant(0))),
          0u});
    EXPECT_TRUE(processEventsUntil([&] { return !ran.isEmpty(); }, 5'000));
    processEventsUntil([] { return false; }, 100);
    EXPECT_EQ(ran, QStringList{u"quit"_s});
}

TEST_F(StatusNotifierItemTest, TheHostsClicksComeOutWithTheirPlace) {
    std::vector<std::pair<QSystemTrayIcon::ActivationReason, QPoint>> activations;
    std::vector<QPoint> menus;
    item.onActivated = [&](auto reason, QPoint at) { activations.emplace_back(reason, at); };
    item.onContextMenu = [&](QPoint at) { menus.push_back(at); };
    call(u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s, u"Activate"_s, {12, 34});
    call(u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s, u"ContextMenu"_s, {5, 6});
    ASSERT_TRUE(
        processEventsUntil([&] { return activations.size() == 1 && menus.size() == 1; }, 5'000));
    EXPECT_EQ(activations[0].first, QSystemTrayIcon::Trigger);
    EXPECT_EQ(activations[0].second, QPoint(12, 34));
    EXPECT_EQ(menus[0], QPoint(5, 6));
}

// What a host asks of the menu's items is answered, and at once: an unknown
// item or a property an item does not have is an error, as libdbusmenu
// answers, never the root's layout nor silence.
TEST_F(StatusNotifierItemTest, EveryQuestionAboutTheMenuIsAnswered) {
    QAction settings(u"Settings…"_s);
    item.setCommands({&settings});
    const QString invalid = u"org.freedesktop.DBus.Error.InvalidArgs"_s;
    struct Question {
        const char* method;
        QVariantList arguments;
        QString error; // none: the answer holds `label`, where one is given
        QString label;
    };
    const auto events = [](std::initializer_list<int> ids) {
        QList<DBusMenuEvent> group;
        for (const int id : ids) {
            group.append({id, u"hovered"_s, QDBusVariant(0), 0});
        }
        return QVariant::fromValue(group);
    };
    const QVariant noData = QVariant::fromValue(QDBusVariant(0));
    const Question questions[] = {
        {"GetProperty", {1, u"label"_s}, {}, u"Settings…"_s},
        {"GetProperty", {99, u"label"_s}, invalid, {}},
        {"GetProperty", {-1, u"label"_s}, invalid, {}},
        {"GetProperty", {1, u"icon-name"_s}, invalid, {}},
        {"GetProperty", {0, u"label"_s}, invalid, {}},
        {"GetLayout", {1, 0, QStringList()}, {}, u"Settings…"_s},
        {"GetLayout", {99, -1, QStringList()}, invalid, {}},
        {"Event", {1, u"hovered"_s, noData, 0U}, {}, {}},
        {"Event", {99, u"clicked"_s, noData, 0U}, invalid, {}},
        {"EventGroup", {events({1, 99})}, {}, {}},
        {"EventGroup", {events({98, 99})}, invalid, {}},
        {"AboutToShow", {1}, {}, {}},
        {"AboutToShow", {99}, invalid, {}},
        {"AboutToShowGroup", {QVariant::fromValue(QList<int>{98, 99})}, invalid, {}},
    };
    for (const Question& question : questions) {
        SCOPED_TRACE(testing::Message()
                     << "row " << (&question - questions) << ": " << question.method << " of item "
                     << question.arguments.value(0).toInt() << " "
                     << question.arguments.value(1).toString().toStdString());
        const QDBusMessage answer = call(u"/MenuBar"_s, u"com.canonical.dbusmenu"_s,
                                         QString::fromLatin1(question.method), question.arguments);
        EXPECT_EQ(answer.errorName().toStdString(), question.error.toStdString());
        if (!question.label.isEmpty()) {
            const QVariant value = answer.arguments().value(question.arguments.size() == 2 ? 0 : 1);
            const QString label =
                question.arguments.size() == 2
                    ? value.value<QDBusVariant>().variant().toString()
                    : qdbus_cast<DBusMenuLayoutItem>(value).properties.value(u"label"_s).toString();
            EXPECT_EQ(label, question.label);
        }
    }
}

// A host redraws what it is told changed.
TEST_F(StatusNotifierItemTest, AHostIsToldOfEachChange) {
    HeardSignals heard;
    const QString service = item.serviceName();
    ASSERT_TRUE(host.connect(service, u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s,
                             u"NewIcon"_s, &heard, SLOT(heard(QDBusMessage))));
    ASSERT_TRUE(host.connect(service, u"/StatusNotifierItem"_s, u"org.kde.StatusNotifierItem"_s,
                             u"NewToolTip"_s, &heard, SLOT(heard(QDBusMessage))));
    ASSERT_TRUE(host.connect(service, u"/MenuBar"_s, u"com.canonical.dbusmenu"_s,
                             u"LayoutUpdated"_s, &heard, SLOT(heard(QDBusMessage))));
    property(u"Id"_s); // the bus has the host's match rules once this is answered
    QAction quit(u"Quit"_s);
    struct Change {
        const char* signal;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"NewIcon", [&] { item.setIcon(QIcon(QPixmap(4, 4))); }},
        {"NewToolTip", [&] { item.setToolTip(u"pelmor"_s); }},
        {"LayoutUpdated", [&] { item.setCommands({&quit}); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.signal);
        heard.names.clear();
        change.make();
        EXPECT_TRUE(processEventsUntil(
            [&] { return heard.names == QStringList{QString::fromLatin1(change.signal)}; }, 5'000))
            << "heard " << heard.names.join(u',').toStdString();
    }
}

#include "StatusNotifierItemTest.moc"
