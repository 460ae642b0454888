#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The client's side of a message bus's greeting, as libdbus speaks it: a NUL
// byte and AUTH EXTERNAL with the user's id; after the bus's OK, on a unix
// socket, NEGOTIATE_UNIX_FD and its answer; then BEGIN and the Hello method
// call, serial 1. The bus has answered once the reply to Hello comes (a method
// return or an error), or once it refuses the authentication (REJECTED or
// ERROR): libdbus then gives up at once or tries another mechanism, which this
// greeting does not follow. A bus sends a few hundred bytes up to its reply to
// Hello: one that sends more than a few kilobytes before it, or a line or a
// message that long, is not a bus, and the greeting gives it up.
class MessageBusGreeting {
public:
    explicit MessageBusGreeting(bool negotiatesUnixFds);

    // What the client says first.
    QByteArray opening() const;

    // Takes what the bus sent since; what to send in return, empty for nothing.
    QByteArray take(QByteArrayView received);

    bool isAnswered() const { return step_ == Step::answered; }
    bool hasGivenUp() const { return step_ == Step::givenUp; }

    // The most a bus may send before its reply to Hello ends.
    static constexpr qsizetype longestGreeting = 8 * 1024;

private:
    enum class Step {
        waitingForOk,
        waitingForUnixFdAnswer,
        waitingForHelloReply,
        answered,
        givenUp,
    };

    QByteArray takeLine(QByteArrayView line);
    bool takeHelloReply();

    bool negotiatesUnixFds_;
    Step step_ = Step::waitingForOk;
    QByteArray buffer_;
    // Where the search for a line's end goes on: the bytes before hold none.
    qsizetype scannedUpTo_ = 0;
    qsizetype received_ = 0;
};
