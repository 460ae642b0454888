#include "System/URLSessionCaptivePortalProbeFetcher.h"

#include "Platform/URLSession/URLError.h"
#include "Support/EventLoopPump.h"
#include "Support/LoopbackHttpServer.h"
#include "Support/SpawnedOutcome.h"
#include "Support/TestRuntime.h"
#include "System/CaptivePortalProbeFetcherError.h"

#include <exception>
#include <gtest/gtest.h>
#include <vector>

#include <QNetworkAccessManager>

namespace {

using Answer = LoopbackHttpServer::Answer;
using Fetched = std::pair<QByteArray, HTTPURLResponse>;

} // namespace

class URLSessionCaptivePortalProbeFetcherTest : public testing::Test {
protected:
    SpawnedOutcome<Fetched> start(const QUrl& url, double timeoutInterval = 5.0) {
        URLRequest request;
        request.url = url;
        request.timeoutInterval = timeoutInterval;
        return spawnOutcome([this, request] { return fetcher.fetch(request); });
    }

    Fetched fetch(const QString& path) {
        auto outcome = start(server.url(path));
        EXPECT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
        return outcome.value();
    }

    template <class Error> Error failure(SpawnedOutcome<Fetched> outcome) {
        EXPECT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
        try {
            std::rethrow_exception(outcome.error());
        } catch (const Error& error) {
            return error;
        } catch (...) {
        }
        ADD_FAILURE() << "the fetch did not fail as expected";
        throw std::logic_error("unexpected outcome");
    }

    TestRuntime runtime;
    LoopbackHttpServer server;
    QNetworkAccessManager manager;
    URLSessionCaptivePortalProbeFetcher fetcher{URLSession(&manager)};
};

TEST_F(URLSessionCaptivePortalProbeFetcherTest, ARedirectComesBackAsItIsAndIsNotFollowed) {
    server.answer(QStringLiteral("/probe"), Answer(302, "moved").header("Location", "/login"));
    server.answer(QStringLiteral("/login"), Answer(200, "sign in"));
    const auto [body, response] = fetch(QStringLiteral("/probe"));
    EXPECT_EQ(response.statusCode, 302);
    EXPECT_EQ(response.value("Location"), QByteArray("/login"));
    EXPECT_EQ(body, QByteArray("moved"));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].path, QStringLiteral("/probe"));
}

TEST_F(URLSessionCaptivePortalProbeFetcherTest, AnAnswerNotOverHTTPIsRefused) {
    EXPECT_EQ(failure<CaptivePortalProbeFetcherError>(
                  start(QUrl(QStringLiteral("data:text/plain,Success"))))
                  .errorCase(),
              CaptivePortalProbeFetcherError::nonHTTPResponse);
}

TEST_F(URLSessionCaptivePortalProbeFetcherTest, TransportErrorsPassThroughUnchanged) {
    const QUrl closed = [] {
        LoopbackHttpServer gone;
        return gone.url(QStringLiteral("/probe"));
    }();
    EXPECT_EQ(failure<URLError>(start(closed)).code(), URLError::cannotConnectToHost);

    server.answer(QStringLiteral("/hang"), Answer(200, "Success").hanging());
    auto hung = start(server.url(QStringLiteral("/hang")), 0.5);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    runtime.advance(0.5);
    EXPECT_EQ(failure<URLError>(hung).code(), URLError::timedOut);
}

TEST_F(URLSessionCaptivePortalProbeFetcherTest, APageIsReadUpTo64KiB) {
    QByteArray page;
    for (int line = 0; page.size() < 1'000'000; ++line) {
        page += QByteArray::number(line) + '\n';
    }
    server.answer(QStringLiteral("/big"), Answer(200, page));
    server.answer(QStringLiteral("/bound"), Answer(200, page.left(64 * 1024)));
    EXPECT_EQ(fetch(QStringLiteral("/big")).first, page.left(64 * 1024));
    EXPECT_EQ(fetch(QStringLiteral("/bound")).first, page.left(64 * 1024));
}

TEST_F(URLSessionCaptivePortalProbeFetcherTest, TheLimitNeverLeavesPartOfACharacter) {
    const qsizetype limit = URLSessionCaptivePortalProbeFetcher::maximumBodyBytes;
    struct Case {
        QByteArray page;
        QByteArray expected;
    };
    const QByteArray euro("\xe2\x82\xac");
    const QByteArray filler(limit, 'x');
    const std::vector<Case> cases{
        // Split after one and after two of its three bytes: the character goes.
        {filler.left(limit - 1) + euro + "tail", filler.left(limit - 1)},
        {filler.left(limit - 2) + euro + "tail", filler.left(limit - 2)},
        // Whole before the limit: kept.
        {filler.left(limit - 3) + euro + "tail", filler.left(limit - 3) + euro},
        // Not UTF-8 at all: bytes are left as they came.
        {filler.left(limit - 1) + "\xff\xfe", filler.left(limit - 1) + "\xff"},
        // A page that fits is never shortened, even when it ends inside a character.
        {QByteArray("Success\xe2\x82"), QByteArray("Success\xe2\x82")},
    };
    for (std::size_t index = 0; index < cases.size(); ++index) {
        server.answer(QStringLiteral("/page"), Answer(200, cases[index].page));
        EXPECT_EQ(fetch(QStringLiteral("/page")).first, cases[index].expected) << index;
    }
}

TEST_F(URLSessionCaptivePortalProbeFetcherTest, TheWholeFetchEndsByTheRequestsTimeOut) {
    server.answer(QStringLiteral("/trickle"), Answer(200, QByteArray(50'000, ' ')).paced(5'000));
    auto outcome = start(server.url(QStringLiteral("/trickle")), 0.5);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    pumpFor(runtime, 20);
    runtime.advance(0.3);
    pumpFor(runtime, 20);
    runtime.advance(0.2);
    EXPECT_EQ(failure<URLError>(outcome).code(), URLError::timedOut);
    EXPECT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 0; }));
}
