#pragma once

#include <QByteArray>
#include <QProcess>

// An X server of the test's own (Xvfb on a display it picks itself), which
// the test can end as a crashed display or a logout does. Killed with its
// scope.
class OwnXServer {
public:
    OwnXServer();
    ~OwnXServer() { end(); }
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

    // ":<n>"; empty if the server did not start.
    const QByteArray& display() const { return display_; }
    void end();

private:
    QProcess server_;
    QByteArray display_;
};
