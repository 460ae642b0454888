#pragma once

#include "Platform/Async/Continuation.h"
#include "Platform/Async/TimerService.h"
#include "Platform/URLSession/URLError.h"
#include "Platform/URLSession/URLRequest.h"
#include "Platform/URLSession/URLSessionResult.h"
#include "Platform/URLSession/URLSessionTaskOptions.h"

#include <memory>
#include <optional>
#include <vector>

#include <QMetaObject>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// One request in flight on the URL session. It ends once, by whichever comes
// first: the reply finishing, the body bound being reached, a time-out, a
// cancellation, or the awaiting task going away; every path stops the reply.
// Lives on the main thread: cancellation from other threads is posted here.
class URLSessionTransfer : public std::enable_shared_from_this<URLSessionTransfer> {
public:
    URLSessionTransfer(URLRequest request, URLSessionTaskOptions options,
                       Async::TimerService& timers);

    // Sends the request; the outcome goes to `continuation`.
    void start(QNetworkAccessManager& manager, Async::Continuation<URLSessionResult> continuation);

    // Ends the transfer with `cancelled` unless it has ended already.
    void cancel();

    // The awaiting task no longer waits: stops what is still running, without an outcome.
    void release();

private:
    QNetworkRequest makeNetworkRequest() const;
    QNetworkReply* send(QNetworkAccessManager& manager) const;
    void observeReply();
    void startTimers();
    void rearmIdleTimer();
    void readBody();
    bool keepBody(QByteArray chunk);
    void replyFinished();
    void replyDestroyed();
    void succeed();
    void fail(URLError error);
    void stop();

    const URLRequest request_;
    const URLSessionTaskOptions options_;
    Async::TimerService* timers_;
    std::optional<Async::Continuation<URLSessionResult>> continuation_;
    QNetworkReply* reply_ = nullptr;
    std::vector<QMetaObject::Connection> connections_;
    int replySignalDepth_ = 0;
    std::optional<Async::TimerService::TimerId> idleTimer_;
    std::optional<Async::TimerService::TimerId> deadlineTimer_;
    URLSessionResult result_;
    bool hasEnded_ = false;
};
