#pragma once

#include <functional>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

// A call made to a peer again and again, where only the answer to the latest
// counts: the answer to an earlier call, or to any call made before
// `forget()`, is dropped. Answers (replies and errors alike) are handed over
// on the context's thread, and none once the context is gone.
class LatestDBusCall {
public:
    using Answered = std::function<void(const QDBusMessage&)>;

    // `context` owns this call.
    explicit LatestDBusCall(QObject* context) : context_(context) {}

    void call(const QDBusConnection& connection, const QDBusMessage& message, Answered answered);
    void forget() { ++latest_; }

private:
    QObject* context_;
    quint64 latest_ = 0;
};
