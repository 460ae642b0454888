#include "System/CloudflareSpeedTestRunner.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Sleep.h"
#include "Platform/URLSession/URLError.h"
#include "Support/EventLoopPump.h"
#include "Support/LoopbackHttpServer.h"
#include "Support/SpawnedOutcome.h"
#include "Support/TestRuntime.h"
#include "System/SpeedTestRunnerError.h"

#include <chrono>
#include <deque>
#include <exception>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include <QUrlQuery>

using namespace std::chrono_literals;

namespace {

using Answer = LoopbackHttpServer::Answer;
using Runner = CloudflareSpeedTestRunner;
using TimePoint = std::chrono::steady_clock::time_point;

// A body of the size the request asks for in "bytes=".
Answer requestedBody(const LoopbackHttpServer::Request& request) {
    const auto size = QUrlQuery(request.query).queryItemValue(QStringLiteral("bytes")).toLongLong();
    return Answer(200, QByteArray(size, 'd'));
}

// A clock that reads the given instants, one per call.
Runner::MonotonicClock clockReading(std::vector<TimePoint> instants) {
    auto remaining = std::make_shared<std::deque<TimePoint>>(instants.begin(), instants.end());
    return [remaining] {
        const TimePoint next = remaining->front();
        remaining->pop_front();
        return next;
    };
}

SpeedTestConfiguration configuration(std::int64_t downloadSize, std::int64_t downloads,
                                     std::int64_t uploadSize, std::int64_t uploads) {
    return {downloadSize, downloads, uploadSize, uploads, 10.0};
}

template <class Error>
std::optional<Error> errorOf(const SpawnedOutcome<SpeedTestMeasurement>& outcome) {
    try {
        std::rethrow_exception(outcome.error());
    } catch (const Error& error) {
        return error;
    } catch (...) {
    }
    return std::nullopt;
}

} // namespace

// The runner against loopback download and upload endpoints.
class CloudflareSpeedTestRunnerTest : public testing::Test {
protected:
    Runner makeRunner(Runner::MonotonicClock clock = Runner::steadyNow) {
        return Runner(Runner::downloadURLFactory(server.url({}).toString() +
                                                 QStringLiteral("/__down?bytes=")),
                      server.url(QStringLiteral("/__up")), std::move(clock));
    }

    SpeedTestProgress recordingProgress() {
        return [this](double fraction) -> Async::Task<void> {
            EXPECT_FALSE(isReporting) << "progress reported while an earlier report ran";
            isReporting = true;
            progress.push_back(fraction);
            answersCompletedAtReport.push_back(server.completedAnswerCount());
            co_await Async::yield();
            co_await Async::yield();
            isReporting = false;
        };
    }

    SpawnedOutcome<SpeedTestMeasurement> startDownload(Runner runner,
                                                       SpeedTestConfiguration shape) {
        return spawnOutcome([runner, shape, report = recordingProgress()]() mutable {
            return runner.runDownloadTest(shape, report);
        });
    }

    SpawnedOutcome<SpeedTestMeasurement> startUpload(Runner runner, SpeedTestConfiguration shape) {
        return spawnOutcome([runner, shape, report = recordingProgress()]() mutable {
            return runner.runUploadTest(shape, report);
        });
    }

    bool finishes(const SpawnedOutcome<SpeedTestMeasurement>& outcome) {
        return pumpUntil(runtime, [&] { return outcome.isFinished(); });
    }

    TestRuntime runtime;
    LoopbackHttpServer server;
    std::vector<double> progress;
    std::vector<int> answersCompletedAtReport;
    bool isReporting = false;
};

TEST_F(CloudflareSpeedTestRunnerTest, DownloadsRunAtOnceAndReportProgressAsEachFinishes) {
    int arrivals = 0;
    server.answer(QStringLiteral("/__down"), [&](const LoopbackHttpServer::Request& request) {
        // The first request to arrive is answered last.
        const auto delay = std::chrono::milliseconds(350 - 100 * arrivals++);
        return requestedBody(request).delayed(delay);
    });
    auto outcome = startDownload(makeRunner(), configuration(5000, 4, 1, 1));
    ASSERT_TRUE(finishes(outcome));
    EXPECT_EQ(outcome.value().bytesTransferred, 20'000);
    EXPECT_EQ(progress, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
    EXPECT_LT(answersCompletedAtReport.front(), 4) << "progress waited for every request";
    ASSERT_EQ(server.requests().size(), 4);
    for (const auto& request : server.requests()) {
        EXPECT_EQ(request.method, QByteArray("GET"));
        EXPECT_EQ(request.path, QStringLiteral("/__down"));
        EXPECT_EQ(request.query, QStringLiteral("bytes=5000"));
    }
}

TEST_F(CloudflareSpeedTestRunnerTest, UploadsSendOneBodyEachAndCountWhatTheySent) {
    server.answer(QStringLiteral("/__up"), Answer(200, QByteArray(7000, 'r')));
    auto outcome = startUpload(makeRunner(), configuration(1, 1, 4000, 3));
    ASSERT_TRUE(finishes(outcome));
    EXPECT_EQ(outcome.value().bytesTransferred, 12'000);
    EXPECT_EQ(progress, (std::vector<double>{1.0 / 3.0, 2.0 / 3.0, 1.0}));
    ASSERT_EQ(server.requests().size(), 3);
    for (const auto& request : server.requests()) {
        EXPECT_EQ(request.method, QByteArray("POST"));
        EXPECT_EQ(request.path, QStringLiteral("/__up"));
        EXPECT_EQ(request.bodySize, 4000);
        EXPECT_EQ(request.header("Content-Type"), QByteArray("application/octet-stream"));
    }
}

TEST_F(CloudflareSpeedTestRunnerTest, ThroughputIsMeasuredOnTheMonotonicClock) {
    server.answer(QStringLiteral("/__down"), requestedBody);
    server.answer(QStringLiteral("/__up"), Answer(200, ""));
    const TimePoint start{std::chrono::seconds(100)};

    auto download = startDownload(makeRunner(clockReading({start, start + 2s})),
                                  configuration(250'000, 4, 1, 1));
    ASSERT_TRUE(finishes(download));
    EXPECT_EQ(download.value(), (SpeedTestMeasurement{4.0, 1'000'000, 2.0}));

    auto upload =
        startUpload(makeRunner(clockReading({start, start + 4s})), configuration(1, 1, 4000, 3));
    ASSERT_TRUE(finishes(upload));
    EXPECT_EQ(upload.value(), (SpeedTestMeasurement{0.024, 12'000, 4.0}));

    // A phase that takes no measurable time counts as one millisecond.
    auto instant =
        startDownload(makeRunner(clockReading({start, start})), configuration(5000, 4, 1, 1));
    ASSERT_TRUE(finishes(instant));
    EXPECT_EQ(instant.value(), (SpeedTestMeasurement{160.0, 20'000, 0.001}));
}

TEST_F(CloudflareSpeedTestRunnerTest, AStatusOutside200To299IsAnInvalidResponse) {
    for (const int status : {300, 404, 500}) {
        server.answer(QStringLiteral("/__down"), Answer(status, "refused"));
        server.answer(QStringLiteral("/__up"), Answer(status, "refused"));
        auto download = startDownload(makeRunner(), configuration(100, 2, 100, 2));
        auto upload = startUpload(makeRunner(), configuration(100, 2, 100, 2));
        ASSERT_TRUE(finishes(download) && finishes(upload));
        EXPECT_EQ(errorOf<SpeedTestRunnerError>(download), SpeedTestRunnerError::invalidResponse)
            << status;
        EXPECT_EQ(errorOf<SpeedTestRunnerError>(upload), SpeedTestRunnerError::invalidResponse)
            << status;
    }
}

TEST_F(CloudflareSpeedTestRunnerTest, EmptyBodiesCountButTransferNoData) {
    server.answer(QStringLiteral("/__down"), Answer(204));
    auto outcome = startDownload(makeRunner(), configuration(5000, 4, 1, 1));
    ASSERT_TRUE(finishes(outcome));
    EXPECT_EQ(errorOf<SpeedTestRunnerError>(outcome), SpeedTestRunnerError::noDataTransferred);
    EXPECT_EQ(progress, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
}

TEST_F(CloudflareSpeedTestRunnerTest, ADroppedConnectionFailsThePhaseAndStopsTheOtherRequests) {
    int arrivals = 0;
    server.answer(QStringLiteral("/__down"), [&](const LoopbackHttpServer::Request& request) {
        Answer answer = requestedBody(request).paced(50'000);
        return arrivals++ == 0 ? std::move(answer).droppedAfter(5000) : std::move(answer);
    });
    auto outcome = startDownload(makeRunner(), configuration(100'000, 4, 1, 1));
    ASSERT_TRUE(finishes(outcome));
    const auto error = errorOf<URLError>(outcome);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->code(), URLError::networkConnectionLost);
    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 0; }));
    EXPECT_EQ(server.completedAnswerCount(), 0);
}

TEST_F(CloudflareSpeedTestRunnerTest, InvalidShapesAndMissingURLsFailBeforeAnyRequest) {
    const std::vector<SpeedTestConfiguration> invalidDownloads{
        configuration(5000, 0, 1, 1), configuration(5000, -1, 1, 1), configuration(0, 4, 1, 1),
        configuration(-5, 4, 1, 1)};
    for (const auto& shape : invalidDownloads) {
        auto outcome = startDownload(makeRunner(), shape);
        ASSERT_TRUE(finishes(outcome));
        EXPECT_EQ(errorOf<SpeedTestRunnerError>(outcome), SpeedTestRunnerError::invalidRequest);
    }
    const std::vector<SpeedTestConfiguration> invalidUploads{
        configuration(1, 1, 4000, 0), configuration(1, 1, 4000, -2), configuration(1, 1, 0, 4),
        configuration(1, 1, -4000, 4)};
    for (const auto& shape : invalidUploads) {
        auto outcome = startUpload(makeRunner(), shape);
        ASSERT_TRUE(finishes(outcome));
        EXPECT_EQ(errorOf<SpeedTestRunnerError>(outcome), SpeedTestRunnerError::invalidRequest);
    }
    const Runner withoutURLs([](std::int64_t) { return std::nullopt; }, std::nullopt);
    auto download = startDownload(withoutURLs, configuration(5000, 4, 4000, 4));
    auto upload = startUpload(withoutURLs, configuration(5000, 4, 4000, 4));
    ASSERT_TRUE(finishes(download) && finishes(upload));
    EXPECT_EQ(errorOf<SpeedTestRunnerError>(download), SpeedTestRunnerError::invalidRequest);
    EXPECT_EQ(errorOf<SpeedTestRunnerError>(upload), SpeedTestRunnerError::invalidRequest);

    pumpFor(runtime, 20);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(progress.empty());
}

TEST_F(CloudflareSpeedTestRunnerTest, CancellingMidTransferEndsAsCancelledWithNothingLeftRunning) {
    server.answer(QStringLiteral("/__down"), [](const LoopbackHttpServer::Request& request) {
        return requestedBody(request).paced(20'000);
    });
    server.answer(QStringLiteral("/__up"), Answer(200, "").hanging());
    for (const bool isDownload : {true, false}) {
        const auto shape = configuration(100'000, 4, 100'000, 4);
        auto outcome =
            isDownload ? startDownload(makeRunner(), shape) : startUpload(makeRunner(), shape);
        ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 4; }));
        std::thread([handle = outcome.handle] { handle.cancel(); }).join();
        ASSERT_TRUE(finishes(outcome));
        EXPECT_TRUE(errorOf<Async::CancellationError>(outcome).has_value())
            << (isDownload ? "download" : "upload");
        EXPECT_TRUE(pumpUntil(runtime, [&] { return server.openConnectionCount() == 0; }));
        EXPECT_EQ(server.answersInProgress(), 0);
        EXPECT_EQ(runtime.runtime().liveTaskCount(), 0U);
    }
    EXPECT_EQ(server.completedAnswerCount(), 0);
}

TEST_F(CloudflareSpeedTestRunnerTest, AStalledRequestEndsAfterTheConfiguredTimeOut) {
    server.answer(QStringLiteral("/__down"), Answer(200, "").hanging());
    server.answer(QStringLiteral("/__up"), Answer(200, "").hanging());
    SpeedTestConfiguration shape = configuration(1000, 2, 1000, 2);
    shape.requestTimeout = 2.5;
    qsizetype requestsSoFar = 0;
    for (const bool isDownload : {true, false}) {
        auto outcome =
            isDownload ? startDownload(makeRunner(), shape) : startUpload(makeRunner(), shape);
        requestsSoFar += 2;
        ASSERT_TRUE(pumpUntil(runtime, [&] {
            return server.requests().size() == requestsSoFar && server.answersInProgress() == 2;
        }));
        runtime.advance(2.4);
        pumpFor(runtime, 20);
        EXPECT_FALSE(outcome.isFinished()) << (isDownload ? "download" : "upload");
        runtime.advance(0.1);
        ASSERT_TRUE(finishes(outcome));
        const auto error = errorOf<URLError>(outcome);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code(), URLError::timedOut);
        EXPECT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() == 0; }));
    }
}

TEST_F(CloudflareSpeedTestRunnerTest, DefaultsAddressTheServicesEndpointsOverHTTPS) {
    const auto download = Runner::defaultDownloadURLFactory()(8'000'000);
    ASSERT_TRUE(download.has_value());
    EXPECT_EQ(download->scheme(), QStringLiteral("https"));
    EXPECT_EQ(download->path(), QStringLiteral("/__down"));
    EXPECT_EQ(download->query(), QStringLiteral("bytes=8000000"));
    const auto upload = Runner::defaultUploadURL();
    ASSERT_TRUE(upload.has_value());
    EXPECT_EQ(upload->scheme(), QStringLiteral("https"));
    EXPECT_EQ(upload->path(), QStringLiteral("/__up"));
    EXPECT_EQ(download->host(), upload->host());
    EXPECT_FALSE(Runner::downloadURLFactory(QStringLiteral("http://[::1"))(10).has_value());
}

// A server that accepts the connection but never completes the TLS handshake,
// then recovers: after a time-out or a cancel the stalled connection is
// closed, and the next test gets a new one.
TEST_F(CloudflareSpeedTestRunnerTest, AfterATimeOutOrACancelTheNextTestOpensANewConnection) {
    const auto shape = configuration(1000, 2, 1000, 2);
    for (const bool isCancelled : {false, true}) {
        LoopbackHttpServer secureServer(LoopbackHttpServer::Scheme::https);
        secureServer.answer(QStringLiteral("/__down"), requestedBody);
        const Runner runner(Runner::downloadURLFactory(secureServer.url({}).toString() +
                                                       QStringLiteral("/__down?bytes=")));
        secureServer.setStallsConnections(true);
        auto stalled = startDownload(runner, shape);
        ASSERT_TRUE(pumpUntil(runtime, [&] { return secureServer.stalledConnectionCount() > 0; }));
        if (isCancelled) {
            stalled.handle.cancel();
        } else {
            runtime.advance(shape.requestTimeout);
        }
        ASSERT_TRUE(finishes(stalled));
        EXPECT_TRUE(pumpUntil(
            runtime, [&] { return secureServer.stalledConnectionCount() == 0; }, 3000))
            << (isCancelled ? "after a cancel" : "after a time-out");

        secureServer.setStallsConnections(false);
        auto next = startDownload(runner, shape);
        EXPECT_TRUE(pumpUntil(
            runtime, [&] { return next.isFinished(); }, 3000));
        runtime.advance(shape.requestTimeout);
        ASSERT_TRUE(finishes(next));
        EXPECT_NO_THROW(next.value());
    }
}

// Over TLS, the phases after the first, of this test and the next, reuse the
// first phase's connections rather than time new handshakes; the connections
// stay open through the pauses in between (where latency probes run).
TEST_F(CloudflareSpeedTestRunnerTest, SuccessfulTestsInARowKeepTheirConnections) {
    LoopbackHttpServer secureServer(LoopbackHttpServer::Scheme::https);
    secureServer.answer(QStringLiteral("/__down"), requestedBody);
    secureServer.answer(QStringLiteral("/__up"), Answer(200, ""));
    const Runner runner(Runner::downloadURLFactory(secureServer.url({}).toString() +
                                                   QStringLiteral("/__down?bytes=")),
                        secureServer.url(QStringLiteral("/__up")));
    const auto shape = configuration(50'000, 4, 50'000, 4);
    std::vector<int> acceptedAfterEachPhase;
    for (int test = 0; test < 2; ++test) {
        for (const bool isDownload : {true, false}) {
            if (!acceptedAfterEachPhase.empty()) {
                pumpFor(runtime, 100);
            }
            auto phase = isDownload ? startDownload(runner, shape) : startUpload(runner, shape);
            ASSERT_TRUE(finishes(phase));
            EXPECT_NO_THROW(phase.value());
            acceptedAfterEachPhase.push_back(secureServer.acceptedConnectionCount());
        }
    }
    const int openedByFirstPhase = acceptedAfterEachPhase.front();
    EXPECT_GT(openedByFirstPhase, 0);
    EXPECT_EQ(acceptedAfterEachPhase, std::vector<int>(4, openedByFirstPhase));
}
