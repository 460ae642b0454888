#include "Platform/URLSession/URLSession.h"

#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/TaskContext.h"
#include "Platform/URLSession/URLError.h"
#include "Support/EventLoopPump.h"
#include "Support/LoopbackHttpServer.h"
#include "Support/SpawnedOutcome.h"
#include "Support/TestRuntime.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include <QNetworkAccessManager>
#include <QProcess>

using Answer = LoopbackHttpServer::Answer;

// Real HTTP against the loopback server; time-outs run on the virtual clock.
class URLSessionTest : public testing::Test {
protected:
    URLRequest get(const QString& path, double timeoutInterval = 60.0) const {
        URLRequest request;
        request.url = server.url(path);
        request.timeoutInterval = timeoutInterval;
        return request;
    }

    SpawnedOutcome<URLSessionResult> start(URLRequest request, URLSessionTaskOptions options = {}) {
        return spawnOutcome(
            [session = session, request, options] { return session.perform(request, options); });
    }

    URLSessionResult perform(URLRequest request, URLSessionTaskOptions options = {}) {
        auto outcome = start(std::move(request), options);
        EXPECT_TRUE(finishes(outcome));
        return outcome.value();
    }

    URLError failure(const SpawnedOutcome<URLSessionResult>& outcome) {
        EXPECT_TRUE(finishes(outcome));
        try {
            outcome.value();
        } catch (const URLError& error) {
            return error;
        }
        ADD_FAILURE() << "the request did not fail with a URLError";
        return URLError(URLError::unknown, {});
    }

    bool finishes(const SpawnedOutcome<URLSessionResult>& outcome) {
        return pumpUntil(runtime, [&] { return outcome.isFinished(); });
    }

    bool serverHasNoAnswerInProgress() {
        return pumpUntil(runtime, [&] { return server.answersInProgress() == 0; });
    }

    TestRuntime runtime;
    LoopbackHttpServer server;
    QNetworkAccessManager manager;
    URLSession session{&manager};
};

TEST_F(URLSessionTest, EveryStatusIsAnAnswerWithItsHeadersAndBody) {
    for (const int status : {200, 404, 500}) {
        server.answer(QStringLiteral("/page"),
                      Answer(status, "body text").header("X-Kind", "probe"));
        const auto result = perform(get(QStringLiteral("/page")));
        ASSERT_TRUE(result.httpResponse.has_value());
        EXPECT_EQ(result.httpResponse->statusCode, status);
        EXPECT_EQ(result.httpResponse->value("x-kind"), QByteArray("probe"));
        EXPECT_EQ(result.httpResponse->url, server.url(QStringLiteral("/page")));
        EXPECT_EQ(result.body, QByteArray("body text"));
        EXPECT_EQ(result.bodyByteCount, 9);
        EXPECT_FALSE(result.isBodyTruncated);
    }
}

TEST_F(URLSessionTest, SendsMethodHeadersAndOneSharedBody) {
    server.answer(QStringLiteral("/up"), Answer(200, "ignored"));
    URLRequest request = get(QStringLiteral("/up"));
    request.httpMethod = "POST";
    request.setValue("application/octet-stream", "Content-Type");
    request.setValue("no-cache", "Pragma");
    request.httpBody = QByteArray(300'000, 'x');
    auto first = start(request);
    auto second = start(request);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return first.isFinished() && second.isFinished(); }));
    EXPECT_EQ(first.value().httpResponse->statusCode, 200);
    EXPECT_EQ(second.value().httpResponse->statusCode, 200);
    ASSERT_EQ(server.requests().size(), 2);
    for (const auto& received : server.requests()) {
        EXPECT_EQ(received.method, QByteArray("POST"));
        EXPECT_EQ(received.bodySize, 300'000);
        EXPECT_EQ(received.header("Content-Type"), QByteArray("application/octet-stream"));
        EXPECT_EQ(received.header("Pragma"), QByteArray("no-cache"));
    }
}

TEST_F(URLSessionTest, KeepsABodyUpToItsBoundAndEndsTheTransferThere) {
    const QByteArray body(1'000'000, 'b');
    // Paced so that the whole body would take a second: the cut comes long before.
    server.answer(QStringLiteral("/big"), Answer(200, body).paced(1'000'000));
    server.answer(QStringLiteral("/exact"), Answer(200, QByteArray(1000, 'e')));
    URLSessionTaskOptions options;
    options.maximumBodyBytes = 1000;

    const auto cut = perform(get(QStringLiteral("/big")), options);
    EXPECT_EQ(cut.body, body.left(1000));
    EXPECT_TRUE(cut.isBodyTruncated);
    ASSERT_TRUE(cut.httpResponse.has_value());
    EXPECT_EQ(cut.httpResponse->statusCode, 200);
    EXPECT_TRUE(serverHasNoAnswerInProgress());
    EXPECT_EQ(server.completedAnswerCount(), 0);

    const auto exact = perform(get(QStringLiteral("/exact")), options);
    EXPECT_EQ(exact.body.size(), 1000);
    EXPECT_FALSE(exact.isBodyTruncated);
}

TEST_F(URLSessionTest, CountsABodyWithoutKeepingIt) {
    server.answer(QStringLiteral("/data"), Answer(200, QByteArray(2'500'000, 'd')));
    URLSessionTaskOptions options;
    options.bodyHandling = URLSessionTaskOptions::BodyHandling::countOnly;
    const auto result = perform(get(QStringLiteral("/data")), options);
    EXPECT_EQ(result.bodyByteCount, 2'500'000);
    EXPECT_TRUE(result.body.isEmpty());
}

TEST_F(URLSessionTest, FollowsRedirectsUnlessTold) {
    server.answer(QStringLiteral("/from"), Answer(302, "moved").header("Location", "/to"));
    server.answer(QStringLiteral("/to"), Answer(200, "arrived"));

    URLSessionTaskOptions refusing;
    refusing.followsRedirects = false;
    const auto refused = perform(get(QStringLiteral("/from")), refusing);
    EXPECT_EQ(refused.httpResponse->statusCode, 302);
    EXPECT_EQ(refused.httpResponse->value("Location"), QByteArray("/to"));
    EXPECT_EQ(refused.body, QByteArray("moved"));
    EXPECT_EQ(server.requests().size(), 1);

    const auto followed = perform(get(QStringLiteral("/from")));
    EXPECT_EQ(followed.httpResponse->statusCode, 200);
    EXPECT_EQ(followed.body, QByteArray("arrived"));
}

TEST_F(URLSessionTest, AnAnswerNotOverHTTPHasNoHTTPResponse) {
    URLRequest request;
    request.url = QUrl(QStringLiteral("data:text/plain,Success"));
    const auto result = perform(request);
    EXPECT_FALSE(result.httpResponse.has_value());
    EXPECT_EQ(result.body, QByteArray("Success"));
}

TEST_F(URLSessionTest, TransportFailuresThrowTheirURLError) {
    server.answer(QStringLiteral("/cut"),
                  Answer(200, QByteArray(100'000, 'c')).droppedAfter(50'000));
    server.answer(QStringLiteral("/silent"), Answer(200, "never sent").droppedAfter(0));
    EXPECT_EQ(failure(start(get(QStringLiteral("/cut")))).code(), URLError::networkConnectionLost);
    EXPECT_EQ(failure(start(get(QStringLiteral("/silent")))).code(),
              URLError::networkConnectionLost);

    const QUrl closedPort = [] {
        LoopbackHttpServer gone;
        return gone.url(QStringLiteral("/"));
    }();
    URLRequest refused;
    refused.url = closedPort;
    EXPECT_EQ(failure(start(refused)).code(), URLError::cannotConnectToHost);
}

TEST_F(URLSessionTest, AnIdleRequestTimesOutAndIsClosed) {
    server.answer(QStringLiteral("/hang"), Answer(200, "late").hanging());
    auto outcome = start(get(QStringLiteral("/hang"), 2.0));
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    runtime.advance(1.9);
    pumpFor(runtime, 20);
    EXPECT_FALSE(outcome.isFinished());
    runtime.advance(0.1);
    EXPECT_EQ(failure(outcome).code(), URLError::timedOut);
    EXPECT_TRUE(serverHasNoAnswerInProgress());
}

TEST_F(URLSessionTest, ArrivingBytesKeepAnIdleTimeOutAway) {
    // 2,000 bytes at 10,000 bytes per second: 0.2 s of steady trickle.
    server.answer(QStringLiteral("/slow"), Answer(200, QByteArray(2000, 's')).paced(10'000));
    auto outcome = start(get(QStringLiteral("/slow"), 0.1));
    // Virtual time runs 1.5 times as fast as real time, yet never 0.1 s without bytes.
    while (!outcome.isFinished() && runtime.clock().elapsedNanoseconds() < 10'000'000'000) {
        pumpFor(runtime, 10);
        runtime.advance(0.015);
    }
    EXPECT_EQ(outcome.value().body.size(), 2000);
}

TEST_F(URLSessionTest, AResourceTimeOutEndsARequestThatIsStillReceiving) {
    server.answer(QStringLiteral("/slow"), Answer(200, QByteArray(100'000, 's')).paced(10'000));
    URLSessionTaskOptions options;
    options.resourceTimeout = 0.1;
    auto outcome = start(get(QStringLiteral("/slow"), 60.0), options);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    pumpFor(runtime, 50);
    runtime.advance(0.1);
    EXPECT_EQ(failure(outcome).code(), URLError::timedOut);
    EXPECT_TRUE(serverHasNoAnswerInProgress());
}

TEST_F(URLSessionTest, CancellingFromAnotherThreadEndsTheRequestAndItsConnection) {
    server.answer(QStringLiteral("/hang"), Answer(200, "late").hanging());
    auto outcome = start(get(QStringLiteral("/hang")));
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    std::thread([handle = outcome.handle] { handle.cancel(); }).join();
    EXPECT_EQ(failure(outcome).code(), URLError::cancelled);
    EXPECT_TRUE(pumpUntil(runtime, [&] { return server.openConnectionCount() == 0; }));
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0U);
}

TEST_F(URLSessionTest, AnAlreadyCancelledTaskSendsNothing) {
    server.answer(QStringLiteral("/page"), Answer(200, "body"));
    auto outcome = spawnOutcome([session = session, request = get(QStringLiteral("/page"))] {
        Async::currentTaskContext()->cancel();
        return session.perform(request);
    });
    EXPECT_EQ(failure(outcome).code(), URLError::cancelled);
    pumpFor(runtime, 20);
    EXPECT_TRUE(server.requests().isEmpty());
}

// The shared session's manager goes before the application object, whose
// absence its network thread would otherwise report while closing a
// connection that stalled in its TLS handshake.
TEST_F(URLSessionTest, AnApplicationQuitsCleanlyWithASharedConnectionStalled) {
    LoopbackHttpServer stallingServer(LoopbackHttpServer::Scheme::https);
    stallingServer.setStallsConnections(true);
    QProcess application;
    application.start(QStringLiteral(PELMOR_SHARED_SESSION_QUIT),
                      {stallingServer.url(QStringLiteral("/page")).toString()});
    ASSERT_TRUE(pumpUntil(runtime, [&] { return stallingServer.stalledConnectionCount() == 1; }));
    application.closeWriteChannel();
    ASSERT_TRUE(application.waitForFinished(10'000));
    EXPECT_EQ(application.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(application.exitCode(), 0);
    EXPECT_EQ(application.readAllStandardError().toStdString(), "");
}
