#pragma once

#include <thread>

#include <QByteArray>
#include <QString>

// An X server of a test's own on display `number` (its socket in
// /tmp/.X11-unix, where xcb looks after the abstract one) that answers the
// first connection's setup with `reply`. A silent one is a SilentUnixSocket
// at `socketPath`.
class FakeXServer {
public:
    FakeXServer(int number, QByteArray reply);
    ~FakeXServer();
    FakeXServer(const FakeXServer&) = delete;
    FakeXServer& operator=(const FakeXServer&) = delete;

    bool isListening() const { return isListening_; }

    // Where display `number` listens; its folder is made if need be.
    static QString socketPath(int number);
    // A setup refused, as a server without our authorisation refuses it.
    static QByteArray refusal(const QByteArray& reason);

private:
    void answer();

    QByteArray path_;
    int listener_ = -1;
    bool isListening_ = false;
    QByteArray reply_;
    std::jthread server_;
};
