#include "Platform/DBus/AsyncDBusCall.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/Continuation.h"

#include <exception>
#include <memory>
#include <mutex>
#include <optional>

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>

namespace {

using ReplyContinuation = Async::Continuation<QDBusMessage>;

// The meeting point of the reply, which arrives on the main thread, and a
// cancellation, which may come from any thread before or after the call is sent.
class PendingReply {
public:
    // False when the task was cancelled before the call could be sent.
    bool bind(ReplyContinuation continuation) {
        const std::lock_guard lock(mutex_);
        if (isCancelled_) {
            continuation.resumeThrowing(std::make_exception_ptr(Async::CancellationError()));
            return false;
        }
        continuation_ = std::move(continuation);
        return true;
    }

    void cancel() {
        const std::lock_guard lock(mutex_);
        isCancelled_ = true;
        if (continuation_) {
            continuation_->resumeThrowing(std::make_exception_ptr(Async::CancellationError()));
        }
    }

private:
    std::mutex mutex_;
    std::optional<ReplyContinuation> continuation_;
    bool isCancelled_ = false;
};

} // namespace

Async::Task<QDBusMessage> asyncDBusCall(QDBusConnection connection, QDBusMessage message,
                                        int timeoutMilliseconds) {
    auto pending = std::make_shared<PendingReply>();
    const auto cancellation = Async::onCancel([pending] { pending->cancel(); });
    co_return co_await Async::withContinuation<QDBusMessage>([&](ReplyContinuation continuation) {
        if (!pending->bind(continuation)) {
            return;
        }
        // Parented to the application so that a reply still awaited at exit
        // does not leak its watcher.
        auto* watcher = new QDBusPendingCallWatcher(
            connection.asyncCall(message, timeoutMilliseconds), QCoreApplication::instance());
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                         [continuation](QDBusPendingCallWatcher* finished) {
                             continuation.resume(finished->reply());
                             finished->deleteLater();
                         });
    });
}
