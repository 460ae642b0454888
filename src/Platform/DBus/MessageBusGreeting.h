#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The client's side of a message bus's greeting, as libdbus speaks it: a NUL
// byte and AUTH EXTERNAL with the user's id; after the bus's OK, on a unix
// socket, NEGOTIATE_UNIX_FD and its answer; then BEGIN and the Hello method
// call, serial 1. The bus has answered once the reply to Hello comes (a method
// return or an error), or once it refuses the authentication (REJECTED or
// ERROR): libdbus then gives up at once or tries another mechanism, which this
// greeting does not follow.
class MessageBusGreeting {
public:
    explicit MessageBusGreeting(bool negotiatesUnixFds);

    // What the client says first.
    QByteArray opening() const;

    // Takes what the bus sent since; what to send in return, empty for nothing.
    QByteArray take(QByteArrayView received);

    bool isAnswered() const { return step_ == Step::answered; }

private:
    enum class Step { waitingForOk, waitingForUnixFdAnswer, waitingForHelloReply, answered };

    QByteArray takeLine(QByteArrayView line);
    bool takeHelloReply();

    bool negotiatesUnixFds_;
    Step step_ = Step::waitingForOk;
    QByteArray buffer_;
};
