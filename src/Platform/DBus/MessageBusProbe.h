#pragma once

#include <chrono>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Tells whether a message bus answers, before Qt is asked to connect to it: Qt
// connects on the one thread that serves every bus of the process, and waits
// 25 s there for a bus that takes the connection but never answers (a hung or
// stopped daemon). The probe connects to the bus's socket itself and begins
// the authentication handshake, which a daemon answers at once ("OK" or
// "REJECTED"). Only unix sockets (path and abstract) are probed; the entries
// of an address are tried in order, as libdbus does.
class MessageBusProbe final : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        answers,
        // Took the connection, then said nothing within the bound.
        doesNotAnswer,
        // Nothing listens, or it closed the connection: connecting fails at once.
        absent,
        // The address names a way of connecting the probe does not know.
        cannotTell,
    };
    Q_ENUM(Outcome)

    static constexpr std::chrono::milliseconds defaultBound{2'000};

    // Waits on the calling thread, for up to `bound`.
    static Outcome probe(const QString& address, std::chrono::milliseconds bound = defaultBound);

    // Probes without blocking: finished() comes once, on a later turn of the
    // event loop, within `bound`.
    explicit MessageBusProbe(const QString& address, std::chrono::milliseconds bound = defaultBound,
                             QObject* parent = nullptr);
    ~MessageBusProbe() override;

signals:
    void finished(MessageBusProbe::Outcome outcome);

private:
    void readAnswer();
    void finish(Outcome outcome);

    int descriptor_ = -1;
    QByteArray received_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer bound_;
};
