#pragma once

#include "Platform/Async/Task.h"

#include <QDBusConnection>
#include <QDBusMessage>

// Sends a method call and suspends the task until its reply, an error reply or
// the time-out (an error reply too), without blocking the event loop. A
// cancelled task resumes at once with CancellationError; the late reply is
// dropped.
Async::Task<QDBusMessage> asyncDBusCall(QDBusConnection connection, QDBusMessage message,
                                        int timeoutMilliseconds);
