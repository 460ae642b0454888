#pragma once

#include <atomic>
#include <thread>

#include <QString>
#include <QTemporaryDir>

// A bus that takes every connection and answers its greeting only so far, as
// a daemon stopped or hung part-way does, or floods it as no bus does. It listens on a unix socket
// in a temporary folder of its own or at a path given, or on TCP on the loopback interface, and
// serves on a thread of its own until destroyed.
class StallingMessageBus {
public:
    enum class Transport { unixSocket, tcp };
    enum class StopsAfter {
        // Takes the connection and says nothing.
        connecting,
        // Answers AUTH with OK, then nothing.
        authentication,
        // Also agrees to NEGOTIATE_UNIX_FD, then never answers BEGIN and Hello.
        unixFdAgreement,
        // Agrees as far, then answers Hello with a reply that claims a body of
        // about 4 GB and sends it for as long as the client reads.
        endlessHelloReply,
        // Sends bytes without a line end from the start, for as long as the
        // client reads.
        endlessLine,
        // Agrees as far, then answers Hello with a method return that holds,
        // before its REPLY_SERIAL, header fields of codes kept for later (an
        // `ay`, an `x` and an `a{sv}`), then nothing.
        helloReplyWithFieldsOfLaterCodes,
    };

    // A unix socket listens at `path` where given.
    StallingMessageBus(Transport transport, StopsAfter stopsAfter, const QString& path = {});
    ~StallingMessageBus();
    StallingMessageBus(const StallingMessageBus&) = delete;
    StallingMessageBus& operator=(const StallingMessageBus&) = delete;

    bool isListening() const { return listener_ >= 0; }
    // Its bus address.
    const QString& address() const { return address_; }

    // An address on the loopback interface where nothing listens: connecting
    // to it is refused at once.
    static QString refusingTcpAddress();

private:
    void serve();

    QTemporaryDir folder_;
    StopsAfter stopsAfter_;
    QString address_;
    // The socket file it made, removed with it.
    QByteArray socketFile_;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::thread server_;
};
