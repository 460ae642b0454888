#include "Platform/URLSession/URLSession.h"

#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Runtime.h"
#include "Platform/URLSession/URLError.h"
#include "Platform/URLSession/URLSessionTransfer.h"

#include <memory>

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QScopeGuard>

URLSession::URLSession(QNetworkAccessManager* manager) : manager_(manager) {}

URLSession URLSession::shared() {
    static QPointer<QNetworkAccessManager> manager;
    if (manager.isNull()) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
        // Destroyed while the application object still exists: its network
        // thread closes the open connections through it.
        qAddPostRoutine([] { delete manager.data(); });
    }
    return URLSession(manager);
}

namespace {

// Takes the manager by value: the task may outlive the session object that made it.
Async::Task<URLSessionResult> performOn(QPointer<QNetworkAccessManager> manager, URLRequest request,
                                        URLSessionTaskOptions options) {
    if (Async::isCancelled()) {
        throw URLError(URLError::cancelled, QStringLiteral("The request was cancelled."));
    }
    if (manager.isNull()) {
        throw URLError(URLError::unknown,
                       QStringLiteral("The URL session has no network manager."));
    }
    Async::Runtime& runtime = Async::Runtime::current();
    auto transfer =
        std::make_shared<URLSessionTransfer>(std::move(request), options, runtime.timers());
    // Whatever ends this frame (an outcome, or the runtime destroying it) ends the transfer.
    const auto release = qScopeGuard([transfer] { transfer->release(); });
    // Cancellation may come from any thread; the reply is touched on the main thread only.
    const auto cancellation = Async::onCancel([transfer, executor = runtime.executor()] {
        executor->post([transfer] { transfer->cancel(); });
    });
    co_return co_await Async::withContinuation<URLSessionResult>(
        [&](Async::Continuation<URLSessionResult> continuation) {
            transfer->start(*manager, std::move(continuation));
        });
}

} // namespace

Async::Task<URLSessionResult> URLSession::perform(URLRequest request,
                                                  URLSessionTaskOptions options) const {
    return performOn(manager_, std::move(request), options);
}
