#pragma once

#include "Platform/Async/Task.h"
#include "Platform/URLSession/URLRequest.h"
#include "Platform/URLSession/URLSessionResult.h"
#include "Platform/URLSession/URLSessionTaskOptions.h"

#include <QNetworkAccessManager>
#include <QPointer>

// Runs HTTP requests as tasks over one QNetworkAccessManager of the main
// thread. A copy refers to the same manager. Time-outs run on the task
// runtime's timers; a cancelled task ends its request at once.
class URLSession {
public:
    explicit URLSession(QNetworkAccessManager* manager);

    // The session over the application's shared manager, created on first use
    // (on the main thread) and destroyed as the application object begins its
    // own destruction.
    static URLSession shared();

    // Sends `request` and resumes with the answer, whatever its status.
    // Throws URLError when no answer came: a transport failure, a time-out,
    // `cancelled` when the calling task is cancelled. Call on the main thread.
    Async::Task<URLSessionResult> perform(URLRequest request,
                                          URLSessionTaskOptions options = {}) const;

private:
    QPointer<QNetworkAccessManager> manager_;
};
