#pragma once

#include "Support/UnixListener.h"

#include <thread>

#include <QByteArray>
#include <QString>

// An X server of a test's own on display `number` (its socket in
// /tmp/.X11-unix, where xcb looks after the abstract one) that answers the
// first connection's setup with `reply`. A silent one is a SilentUnixSocket
// at `socketPath`. Take the number from freeXDisplayNumber(): a socket file
// there already is left alone, and the server does not listen.
class FakeXServer {
public:
    FakeXServer(int number, QByteArray reply);
    ~FakeXServer();
    FakeXServer(const FakeXServer&) = delete;
    FakeXServer& operator=(const FakeXServer&) = delete;

    bool isListening() const { return listener_.isListening(); }

    // Where display `number` listens; its folder is made if need be.
    static QString socketPath(int number);
    // A setup refused, as a server without our authorisation refuses it.
    static QByteArray refusal(const QByteArray& reason);

private:
    void answer();

    UnixListener listener_;
    QByteArray reply_;
    std::jthread server_;
};
