#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/LoopbackHttpServer.h"
#include "System/CloudflareSpeedTestRunner.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <exception>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <sched.h>
#include <unistd.h>
#include <vector>

#include <QCoreApplication>
#include <QProcess>
#include <QSemaphore>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

// How close the speed-test runner's download figure comes to the truth: a
// loopback server paces its answers at a known rate, and, unpaced, curl
// measures the same URL for comparison. Counters: the runner's and the
// reference figure in Mbit/s, and the runner's error against the paced rate
// (in percent) or its share of curl's figure.
//
// Over plain loopback a connection's handshakes cost next to nothing; run
// under bench/with-round-trip to put the server at the far end of a link with
// a round trip.

namespace {

using Answer = LoopbackHttpServer::Answer;

constexpr std::int64_t streams = 4;
constexpr double bitsPerMegabit = 1'000'000.0;
// Names the network namespace the server joins (bench/with-round-trip sets it).
constexpr char serverNamespaceVariable[] = "PELMOR_BENCH_SERVER_NETNS";

Async::Runtime makeEventLoopRuntime() {
    return Async::Runtime(std::make_shared<Async::EventLoopExecutor>(),
                          std::make_shared<Async::EventLoopTimerService>());
}

// Sleeps in the event loop between events rather than spinning: the network
// threads need the processor more than this loop does.
void processEventsUntil(const std::function<bool()>& condition) {
    while (!condition()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

// Moves the calling thread into the network namespace named by the
// environment, if it names one.
void joinServerNamespace() {
    const QByteArray path = qgetenv(serverNamespaceVariable);
    if (path.isEmpty()) {
        return;
    }
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || ::setns(descriptor, CLONE_NEWNET) != 0) {
        qFatal("Cannot join the network namespace %s", path.constData());
    }
    ::close(descriptor);
}

// The loopback server on a thread of its own, as a real server would be: the
// runner's event loop and the server do not share a processor.
class ServerThread {
public:
    explicit ServerThread(std::function<void(LoopbackHttpServer&)> script,
                          LoopbackHttpServer::Scheme scheme = LoopbackHttpServer::Scheme::http)
        : thread_(QThread::create([this, script = std::move(script), scheme] {
              joinServerNamespace();
              serve(script, scheme);
          })) {
        thread_->start();
        ready_.acquire();
    }

    ~ServerThread() {
        QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
        thread_->wait();
    }

    QUrl url(const QString& pathAndQuery) const { return url_.resolved(QUrl(pathAndQuery)); }

private:
    void serve(const std::function<void(LoopbackHttpServer&)>& script,
               LoopbackHttpServer::Scheme scheme) {
        QEventLoop loop;
        LoopbackHttpServer server(scheme);
        script(server);
        url_ = server.url(QStringLiteral("/"));
        loop_ = &loop;
        ready_.release();
        loop.exec();
    }

    std::unique_ptr<QThread> thread_;
    QSemaphore ready_;
    QEventLoop* loop_ = nullptr;
    QUrl url_;
};

// Serves "/__down" with one prepared body, each stream paced at `bytesPerSecond` (0: unpaced).
void serveDownloads(LoopbackHttpServer& server, QByteArray body, std::int64_t bytesPerSecond) {
    server.answer(QStringLiteral("/__down"),
                  [body, bytesPerSecond](const LoopbackHttpServer::Request&) {
                      return Answer(200, body).paced(bytesPerSecond);
                  });
}

CloudflareSpeedTestRunner runnerFor(const ServerThread& server) {
    return CloudflareSpeedTestRunner(CloudflareSpeedTestRunner::downloadURLFactory(
                                         server.url(QStringLiteral("/__down?bytes=")).toString()),
                                     server.url(QStringLiteral("/__up")));
}

// Runs one download phase on the event loop; rethrows its error.
SpeedTestMeasurement runDownload(CloudflareSpeedTestRunner runner, std::int64_t chunkSize) {
    std::optional<SpeedTestMeasurement> measurement;
    std::exception_ptr error;
    bool isDone = false;
    Async::spawn([&]() -> Async::Task<void> {
        try {
            const SpeedTestConfiguration configuration{chunkSize, streams, 1, 1, 30.0};
            const SpeedTestProgress noProgress;
            measurement = co_await runner.runDownloadTest(configuration, noProgress);
        } catch (...) {
            error = std::current_exception();
        }
        isDone = true;
    });
    processEventsUntil([&] { return isDone; });
    if (error) {
        std::rethrow_exception(error);
    }
    return *measurement;
}

// curl's own figure for `streams` parallel transfers of `url`: all bytes over
// the longest transfer time. None when curl cannot be run.
std::optional<double> curlMegabitsPerSecond(const QUrl& url) {
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        return std::nullopt;
    }
    QStringList arguments{QStringLiteral("--silent"),
                          QStringLiteral("--noproxy"),
                          QStringLiteral("*"),
                          QStringLiteral("--parallel"),
                          QStringLiteral("--parallel-immediate"),
                          QStringLiteral("--write-out"),
                          QStringLiteral("%{size_download} %{time_total}\\n")};
    for (std::int64_t stream = 0; stream < streams; ++stream) {
        arguments << QStringLiteral("--output") << QStringLiteral("/dev/null") << url.toString();
    }
    QProcess process;
    process.start(curl, arguments);
    process.waitForFinished(-1);
    double bytes = 0;
    double longest = 0;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2) {
            bytes += fields[0].toDouble();
            longest = std::max(longest, fields[1].toDouble());
        }
    }
    if (process.exitCode() != 0 || longest <= 0) {
        return std::nullopt;
    }
    return bytes * 8.0 / (longest * bitsPerMegabit);
}

double errorPercent(const SpeedTestMeasurement& measurement, double pacedMbps) {
    return (measurement.throughputMbps - pacedMbps) / pacedMbps * 100.0;
}

// The download paced at state.range(0) Mbit/s in all, about one second long.
void SpeedTestDownloadPacedAccuracy(benchmark::State& state) {
    Async::Runtime runtime = makeEventLoopRuntime();
    const double pacedMbps = static_cast<double>(state.range(0));
    const auto streamBytesPerSecond =
        static_cast<std::int64_t>(pacedMbps * bitsPerMegabit / 8.0 / streams);
    const ServerThread server([&](LoopbackHttpServer& served) {
        serveDownloads(served, QByteArray(streamBytesPerSecond, 'd'), streamBytesPerSecond);
    });
    SpeedTestMeasurement measurement;
    for (auto _ : state) {
        measurement = runDownload(runnerFor(server), streamBytesPerSecond);
    }
    state.counters["runner_Mbps"] = measurement.throughputMbps;
    state.counters["paced_Mbps"] = pacedMbps;
    state.counters["error_pct"] = errorPercent(measurement, pacedMbps);
}
BENCHMARK(SpeedTestDownloadPacedAccuracy)
    ->Arg(100)
    ->Arg(400)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The download as fast as loopback allows, against curl on the same URL. The
// two take turns, five rounds each, and the best round of each counts, so
// that a burst of load elsewhere on the machine does not decide the ratio.
void SpeedTestDownloadUnpacedVersusCurl(benchmark::State& state) {
    Async::Runtime runtime = makeEventLoopRuntime();
    constexpr std::int64_t chunkSize = 50'000'000;
    constexpr int rounds = 5;
    const ServerThread server(
        [&](LoopbackHttpServer& served) { serveDownloads(served, QByteArray(chunkSize, 'd'), 0); });
    const QUrl url = server.url(QStringLiteral("/__down?bytes=%1").arg(chunkSize));
    double runnerMbps = 0;
    double curlMbps = 0;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            runnerMbps =
                std::max(runnerMbps, runDownload(runnerFor(server), chunkSize).throughputMbps);
            const auto curlFigure = curlMegabitsPerSecond(url);
            if (!curlFigure) {
                state.SkipWithError("curl could not be run");
                return;
            }
            curlMbps = std::max(curlMbps, *curlFigure);
        }
    }
    state.counters["runner_Mbps"] = runnerMbps;
    state.counters["curl_Mbps"] = curlMbps;
    state.counters["share_of_curl_pct"] = runnerMbps / curlMbps * 100.0;
}
BENCHMARK(SpeedTestDownloadUnpacedVersusCurl)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Runs the event loop for `duration`.
void idleFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Downloads one after another by one runner over TLS, each paced at
// state.range(0) Mbit/s in all and about one second long, with a pause before
// each but the first, as each test's download follows its baseline latency
// probes. The first opens the connections; the later ones pay no handshake
// when they reuse them. Counters: the first download's error and the mean
// error of the later ones, in percent.
void SpeedTestDownloadsInARowOverTLS(benchmark::State& state) {
    Async::Runtime runtime = makeEventLoopRuntime();
    constexpr int phases = 3;
    constexpr std::chrono::milliseconds pause{500};
    const double pacedMbps = static_cast<double>(state.range(0));
    const auto streamBytesPerSecond =
        static_cast<std::int64_t>(pacedMbps * bitsPerMegabit / 8.0 / streams);
    const ServerThread server(
        [&](LoopbackHttpServer& served) {
            serveDownloads(served, QByteArray(streamBytesPerSecond, 'd'), streamBytesPerSecond);
        },
        LoopbackHttpServer::Scheme::https);
    std::vector<double> errors;
    for (auto _ : state) {
        const CloudflareSpeedTestRunner runner = runnerFor(server);
        errors.clear();
        for (int phase = 0; phase < phases; ++phase) {
            if (phase > 0) {
                idleFor(pause);
            }
            errors.push_back(errorPercent(runDownload(runner, streamBytesPerSecond), pacedMbps));
        }
    }
    state.counters["first_error_pct"] = errors.front();
    state.counters["later_error_pct"] =
        std::accumulate(errors.begin() + 1, errors.end(), 0.0) / (phases - 1);
}
BENCHMARK(SpeedTestDownloadsInARowOverTLS)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
