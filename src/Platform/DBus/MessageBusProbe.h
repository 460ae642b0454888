#pragma once

#include <chrono>
#include <memory>

#include <QObject>
#include <QString>

// Tells whether a message bus answers, before Qt is asked to connect to it: Qt
// connects on the one thread that serves every bus of the process, and waits
// there without end for a bus that takes the connection but stops answering
// anywhere in its greeting (a hung or stopped daemon). The probe greets the
// bus itself, as libdbus does, up to the reply to Hello. The entries of an
// address are tried in order, as libdbus tries them: unix sockets (path and
// abstract) and tcp; an entry that cannot be connected to passes to the next,
// and the outcome is that of the first one that takes the connection.
class MessageBusProbe final : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        // Went through the greeting, or refused it at once.
        answers,
        // Took the connection, or kept connecting or resolving, and did not
        // answer within the bound; or its host could not be looked up on a
        // thread of its own, where a lookup can be given up.
        doesNotAnswer,
        // No entry takes a connection, the bus closed it, or libdbus refuses
        // the address: connecting fails at once.
        absent,
        // The entry libdbus would use connects in a way the probe cannot follow
        // (unixexec, autolaunch, nonce-tcp), or there is no address at all.
        cannotTell,
    };
    Q_ENUM(Outcome)

    static constexpr std::chrono::milliseconds defaultBound{2'000};

    // Waits on the calling thread, for up to `bound`.
    static Outcome probe(const QString& address, std::chrono::milliseconds bound = defaultBound);

    // Probes on a thread of its own: finished() comes once, on a later turn of
    // the event loop, within `bound`. Destroyed before, it says nothing.
    explicit MessageBusProbe(const QString& address, std::chrono::milliseconds bound = defaultBound,
                             QObject* parent = nullptr);
    ~MessageBusProbe() override;

signals:
    void finished(MessageBusProbe::Outcome outcome);

private:
    class Handoff;
    std::shared_ptr<Handoff> handoff_;
};
