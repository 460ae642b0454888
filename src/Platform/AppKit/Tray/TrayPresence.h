#pragma once

#include "Platform/DBus/LatestDBusCall.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

// Whether the desktop has a StatusNotifier host now, told again at each
// change. A host registers with the watcher either by a well-known name of
// its own ("org.kde.StatusNotifierHost-...") or by its connection's unique
// name only, and a watcher may keep saying a host is there after it left (a
// panel that crashed while its watcher lives in another process). So a host
// counts as there while a named host is on the bus, or while the watcher says
// one is registered and something shows a host known by its unique name only:
// a registration the watcher announces that no newly come named host accounts
// for (a named host takes its name before it registers), or the watcher's
// "yes" while no named host is on the bus and none has left since the
// watcher last said "no" or came. That showing ends when the watcher says
// "no" or is replaced. The watcher is asked again when a connection leaves
// the bus while a host known by its unique name is all that counts, so that
// such a host leaving is noticed even where the watcher tells no one.
// Nothing is polled.
class TrayPresence final : public QObject {
    Q_OBJECT

public:
    // Questions to the watcher that arise within this many milliseconds of
    // one another are asked once.
    static constexpr int askDelay = 50;

    explicit TrayPresence(QDBusConnection connection);

    // False until the watcher has answered.
    bool hasStatusNotifierHost() const { return shown_; }

signals:
    void changed();

private slots:
    void nameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void hostRegistered();
    void askSoon();

private:
    void listNames();
    bool mayHaveLostAnUnnamedHost() const;
    void askWatcher();
    void watcherCame(bool up);
    void namedHostChanged(const QString& name, bool owned);
    void answered(bool watcherSaysHost);
    void update();

    QDBusConnection connection_;
    LatestDBusCall question_{this};
    QTimer askSoon_;
    bool watcherUp_ = false;
    bool watcherSaysHost_ = false;
    // A question is sent and its answer still to come.
    bool isAsking_ = false;
    QSet<QString> namedHosts_;
    // Named hosts come since the watcher did whose registration it has not
    // announced yet.
    QSet<QString> unannouncedNamedHosts_;
    bool namedHostLeft_ = false;
    bool uniqueNameHostShown_ = false;
    bool shown_ = false;
};
