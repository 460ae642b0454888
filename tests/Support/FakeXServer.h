#pragma once

#include <optional>
#include <thread>

#include <QByteArray>

// An X server of a test's own on display `number` (its socket in
// /tmp/.X11-unix, where xcb looks after the abstract one): it takes
// connections and, given `reply`, answers the first connection's setup with
// those bytes; without one it never answers, as a hung server does.
class FakeXServer {
public:
    FakeXServer(int number, std::optional<QByteArray> reply);
    ~FakeXServer();
    FakeXServer(const FakeXServer&) = delete;
    FakeXServer& operator=(const FakeXServer&) = delete;

    bool isListening() const { return isListening_; }
    QByteArray display() const;

    // A setup refused, as a server without our authorisation refuses it.
    static QByteArray refusal(const QByteArray& reason);

private:
    void answer();

    int number_;
    QByteArray path_;
    int listener_ = -1;
    bool isListening_ = false;
    std::optional<QByteArray> reply_;
    std::jthread server_;
};
