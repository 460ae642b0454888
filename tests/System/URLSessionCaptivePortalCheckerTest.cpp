#include "System/URLSessionCaptivePortalChecker.h"

#include "Support/EventLoopPump.h"
#include "Support/LoopbackHttpServer.h"
#include "Support/SpawnedOutcome.h"
#include "Support/TestRuntime.h"
#include "System/URLSessionCaptivePortalProbeFetcher.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <QNetworkAccessManager>

namespace {

using Answer = LoopbackHttpServer::Answer;
using Measurement = CaptivePortalDetectionMeasurement;

// Records the requests it is given and answers each with a fixed page.
class RecordingProbeFetcher final : public CaptivePortalProbeFetching {
public:
    Async::Task<std::pair<QByteArray, HTTPURLResponse>> fetch(URLRequest request) override {
        requests.push_back(request);
        co_return std::pair{QByteArray("Success"), HTTPURLResponse{request.url, 200, {}}};
    }

    std::vector<URLRequest> requests;
};

} // namespace

// The checker over the real fetcher against loopback probe pages.
class URLSessionCaptivePortalCheckerTest : public testing::Test {
protected:
    CaptivePortalProbeEndpoint endpoint(const QString& path,
                                        const QString& expected = QStringLiteral("Success")) {
        return {server.url(path), expected};
    }

    SpawnedOutcome<Measurement> start(std::vector<CaptivePortalProbeEndpoint> endpoints,
                                      double timeout = 5.0) {
        auto checker = std::make_shared<URLSessionCaptivePortalChecker>(fetcher, endpoints);
        return spawnOutcome([checker, timeout] { return checker->checkForCaptivePortal(timeout); });
    }

    Measurement check(std::vector<CaptivePortalProbeEndpoint> endpoints, double timeout = 5.0) {
        auto outcome = start(std::move(endpoints), timeout);
        EXPECT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
        return outcome.value();
    }

    // Runs until the server has received `requestCount` requests in all, the
    // last of them hanging, then lets `seconds` of virtual time pass.
    void letProbeHang(qsizetype requestCount, double seconds) {
        ASSERT_TRUE(pumpUntil(runtime, [&] {
            return server.requests().size() == requestCount && server.answersInProgress() > 0;
        }));
        runtime.advance(seconds);
    }

    QStringList requestedPaths() const {
        QStringList paths;
        for (const auto& request : server.requests()) {
            paths.append(request.path);
        }
        return paths;
    }

    static Measurement redirect(std::optional<QUrl> portal, QUrl probe) {
        return {true, std::move(portal), std::move(probe), CaptivePortalDetectionReason::redirect,
                true};
    }

    TestRuntime runtime;
    LoopbackHttpServer server;
    QNetworkAccessManager manager;
    std::shared_ptr<URLSessionCaptivePortalProbeFetcher> fetcher =
        std::make_shared<URLSessionCaptivePortalProbeFetcher>(URLSession(&manager));
};

TEST_F(URLSessionCaptivePortalCheckerTest, WithoutEndpointsTheCheckFails) {
    EXPECT_EQ(check({}), Measurement::failed());
}

TEST_F(URLSessionCaptivePortalCheckerTest, ExpectedTextsInAnyCaseMeanNoPortal) {
    server.answer(QStringLiteral("/hotspot-detect.html"),
                  Answer(200, "<HTML><BODY>SUCCESS</BODY></HTML>"));
    server.answer(QStringLiteral("/success.txt"), Answer(200, "success\n"));
    EXPECT_EQ(check({endpoint(QStringLiteral("/hotspot-detect.html")),
                     endpoint(QStringLiteral("/success.txt"), QStringLiteral("success"))}),
              Measurement::notCaptive());
    EXPECT_EQ(requestedPaths(), (QStringList{QStringLiteral("/hotspot-detect.html"),
                                             QStringLiteral("/success.txt")}));
    for (const auto& request : server.requests()) {
        EXPECT_EQ(request.method, QByteArray("GET"));
        EXPECT_EQ(request.header("Cache-Control"), QByteArray("no-cache"));
        EXPECT_EQ(request.header("Pragma"), QByteArray("no-cache"));
    }
}

TEST_F(URLSessionCaptivePortalCheckerTest, APageWithoutTheExpectedTextIsAnInjectedPortal) {
    server.answer(QStringLiteral("/login"), Answer(200, "<html>Please sign in</html>"));
    server.answer(QStringLiteral("/binary"), Answer(200, QByteArray("Success\xff\xfe", 9)));
    // A complete page that ends inside a character is not UTF-8 either.
    server.answer(QStringLiteral("/unfinished"), Answer(200, QByteArray("Success\xe2\x82", 9)));
    for (const QString& path :
         {QStringLiteral("/login"), QStringLiteral("/binary"), QStringLiteral("/unfinished")}) {
        const QUrl probe = server.url(path);
        EXPECT_EQ(
            check({endpoint(path), endpoint(QStringLiteral("/never"))}),
            (Measurement{true, probe, probe, CaptivePortalDetectionReason::contentInjection, true}))
            << path.toStdString();
    }
    EXPECT_FALSE(requestedPaths().contains(QStringLiteral("/never")));
}

TEST_F(URLSessionCaptivePortalCheckerTest, OtherStatusesAreAnswersWithoutAPortal) {
    for (const int status : {204, 404, 500}) {
        server.answer(QStringLiteral("/probe"), Answer(status, status == 204 ? "" : "error page"));
        EXPECT_EQ(check({endpoint(QStringLiteral("/probe"))}), Measurement::notCaptive()) << status;
    }
}

TEST_F(URLSessionCaptivePortalCheckerTest, ARedirectIsAPortalWithTheLocationTakenAsItIs) {
    server.answer(QStringLiteral("/relative"), Answer(302, "").header("Location", "/login"));
    server.answer(QStringLiteral("/absolute"),
                  Answer(307, "").header("Location", "http://portal.example/login?x=1"));
    server.answer(QStringLiteral("/bare"), Answer(302, "moved"));
    server.answer(QStringLiteral("/unusable"), Answer(301, "").header("Location", "http://[::1"));
    server.answer(QStringLiteral("/clean"), Answer(200, "Success"));

    const QUrl relative = server.url(QStringLiteral("/relative"));
    EXPECT_EQ(check({endpoint(QStringLiteral("/relative")), endpoint(QStringLiteral("/clean"))}),
              redirect(QUrl(QStringLiteral("/login")), relative));
    EXPECT_EQ(requestedPaths(), QStringList{QStringLiteral("/relative")});

    EXPECT_EQ(check({endpoint(QStringLiteral("/absolute"))}),
              redirect(QUrl(QStringLiteral("http://portal.example/login?x=1")),
                       server.url(QStringLiteral("/absolute"))));
    EXPECT_EQ(check({endpoint(QStringLiteral("/bare"))}),
              redirect(std::nullopt, server.url(QStringLiteral("/bare"))));
    EXPECT_EQ(check({endpoint(QStringLiteral("/unusable"))}),
              redirect(std::nullopt, server.url(QStringLiteral("/unusable"))));
}

TEST_F(URLSessionCaptivePortalCheckerTest, APortalRevealedLaterWinsOverAnEarlierCleanAnswer) {
    server.answer(QStringLiteral("/clean"), Answer(200, "Success"));
    server.answer(QStringLiteral("/portal"), Answer(302, "").header("Location", "/login"));
    EXPECT_EQ(check({endpoint(QStringLiteral("/clean")), endpoint(QStringLiteral("/portal"))}),
              redirect(QUrl(QStringLiteral("/login")), server.url(QStringLiteral("/portal"))));
}

TEST_F(URLSessionCaptivePortalCheckerTest, HungProbesTimeOutOneAfterAnother) {
    server.answer(QStringLiteral("/hang"), Answer(200, "Success").hanging());
    server.answer(QStringLiteral("/clean"), Answer(200, "Success"));

    auto hungThenClean =
        start({endpoint(QStringLiteral("/hang")), endpoint(QStringLiteral("/clean"))}, 2.0);
    letProbeHang(1, 1.9);
    pumpFor(runtime, 20);
    EXPECT_FALSE(hungThenClean.isFinished());
    runtime.advance(0.1);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return hungThenClean.isFinished(); }));
    EXPECT_EQ(hungThenClean.value(), Measurement::notCaptive());

    auto cleanThenHung =
        start({endpoint(QStringLiteral("/clean")), endpoint(QStringLiteral("/hang"))}, 2.0);
    letProbeHang(4, 2.0);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return cleanThenHung.isFinished(); }));
    EXPECT_EQ(cleanThenHung.value(), Measurement::notCaptive());

    auto allHung = start({endpoint(QStringLiteral("/hang")), endpoint(QStringLiteral("/hang"))});
    letProbeHang(5, 5.0);
    letProbeHang(6, 5.0);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return allHung.isFinished(); }));
    EXPECT_EQ(allHung.value(), Measurement::failed());
    EXPECT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 0; }));
}

TEST_F(URLSessionCaptivePortalCheckerTest, UnreachableProbesFail) {
    const QUrl closed = [] {
        LoopbackHttpServer gone;
        return gone.url(QStringLiteral("/hotspot-detect.html"));
    }();
    EXPECT_EQ(check({{closed, QStringLiteral("Success")}}), Measurement::failed());
}

TEST_F(URLSessionCaptivePortalCheckerTest, AnOversizedPageIsJudgedByItsFirst64KiB) {
    QByteArray clean = "Success";
    clean += QByteArray(4'000'000, ' ');
    QByteArray late(70'000, ' ');
    late += "Success";
    // Paced, so that reading the whole page would take two seconds.
    server.answer(QStringLiteral("/clean"), Answer(200, clean).paced(2'000'000));
    server.answer(QStringLiteral("/late"), Answer(200, late));

    EXPECT_EQ(check({endpoint(QStringLiteral("/clean"))}), Measurement::notCaptive());
    EXPECT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 0; }));
    EXPECT_EQ(server.completedAnswerCount(), 0) << "the page was read to its end";

    const QUrl probe = server.url(QStringLiteral("/late"));
    EXPECT_EQ(
        check({endpoint(QStringLiteral("/late"))}),
        (Measurement{true, probe, probe, CaptivePortalDetectionReason::contentInjection, true}));
}

TEST_F(URLSessionCaptivePortalCheckerTest, APageCutAtTheReadLimitInsideACharacterIsStillText) {
    const qsizetype limit = URLSessionCaptivePortalProbeFetcher::maximumBodyBytes;
    for (const QByteArray& character :
         {QByteArray("\xc3\xa9"), QByteArray("\xe2\x82\xac"), QByteArray("\xf0\x9f\x93\xb6")}) {
        for (qsizetype kept = 1; kept < character.size(); ++kept) {
            QByteArray page = "Success";
            page += QByteArray(limit - page.size() - kept, ' ');
            page += character + QByteArray(100, ' ');
            server.answer(QStringLiteral("/cut"), Answer(200, page));
            EXPECT_EQ(check({endpoint(QStringLiteral("/cut"))}), Measurement::notCaptive())
                << character.size() << " bytes, " << kept << " kept";
        }
    }
}

TEST_F(URLSessionCaptivePortalCheckerTest,
       APortalThatKeepsSendingCannotHoldTheCheckPastItsTimeOut) {
    server.answer(QStringLiteral("/trickle"), Answer(200, QByteArray(60'000, ' ')).paced(5'000));
    auto outcome = start({endpoint(QStringLiteral("/trickle"))}, 1.0);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 1; }));
    // Bytes arrive all along, so only a bound on the whole probe can end it.
    for (int step = 0; step < 3; ++step) {
        pumpFor(runtime, 20);
        runtime.advance(0.3);
    }
    pumpFor(runtime, 20);
    EXPECT_FALSE(outcome.isFinished());
    runtime.advance(0.1);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
    EXPECT_EQ(outcome.value(), Measurement::failed());
}

TEST_F(URLSessionCaptivePortalCheckerTest, ProbesBypassTheCacheWithAtLeastATenthOfASecond) {
    auto recorder = std::make_shared<RecordingProbeFetcher>();
    const CaptivePortalProbeEndpoint probe{QUrl(QStringLiteral("http://probe.test/a")),
                                           QStringLiteral("Success")};
    URLSessionCaptivePortalChecker checker(recorder, {probe});
    for (const double timeout : {0.0, -3.0, std::nan(""), 0.05, 4.5}) {
        EXPECT_EQ(runtime.runToCompletion(checker.checkForCaptivePortal(timeout)),
                  Measurement::notCaptive());
    }
    ASSERT_EQ(recorder->requests.size(), 5U);
    std::vector<double> timeouts;
    for (const auto& request : recorder->requests) {
        timeouts.push_back(request.timeoutInterval);
        EXPECT_EQ(request.url, probe.url);
        EXPECT_EQ(request.httpMethod, QByteArray("GET"));
        EXPECT_EQ(request.cachePolicy, URLRequest::CachePolicy::reloadIgnoringLocalCacheData);
        EXPECT_EQ(request.value("Cache-Control"), QByteArray("no-cache"));
        EXPECT_EQ(request.value("Pragma"), QByteArray("no-cache"));
    }
    EXPECT_EQ(timeouts, (std::vector<double>{0.1, 0.1, 0.1, 0.1, 4.5}));
}

TEST_F(URLSessionCaptivePortalCheckerTest, DefaultEndpointsAreAPlainPageThenAnEncryptedOne) {
    const auto& endpoints = URLSessionCaptivePortalChecker::defaultProbeEndpoints();
    ASSERT_EQ(endpoints.size(), 2U);
    EXPECT_EQ(endpoints[0].url.scheme(), QStringLiteral("http"));
    EXPECT_EQ(endpoints[0].url.path(), QStringLiteral("/hotspot-detect.html"));
    EXPECT_EQ(endpoints[0].expectedSuccessSubstring, QStringLiteral("Success"));
    EXPECT_EQ(endpoints[1].url.scheme(), QStringLiteral("https"));
    EXPECT_EQ(endpoints[1].url.path(), QStringLiteral("/success.txt"));
    EXPECT_EQ(endpoints[1].expectedSuccessSubstring, QStringLiteral("success"));
}
