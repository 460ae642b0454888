#include "System/CloudflareSpeedTestRunner.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/ThrowingTaskGroup.h"
#include "Platform/URLSession/URLSession.h"
#include "System/SpeedTestRunnerError.h"

#include <algorithm>

#include <QNetworkAccessManager>

namespace {

using Clock = CloudflareSpeedTestRunner::MonotonicClock;

constexpr double shortestDurationSeconds = 0.001;
constexpr double bitsPerMegabit = 1'000'000.0;
constexpr char uploadByte = static_cast<char>(0xA5);

void requireSuccess(const URLSessionResult& result) {
    const bool isSuccess = result.httpResponse && result.httpResponse->statusCode >= 200 &&
                           result.httpResponse->statusCode <= 299;
    if (!isSuccess) {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidResponse);
    }
}

URLSessionTaskOptions countingBodyOnly() {
    URLSessionTaskOptions options;
    options.bodyHandling = URLSessionTaskOptions::BodyHandling::countOnly;
    return options;
}

Async::Task<std::int64_t> downloadChunk(URLSession session,
                                        CloudflareSpeedTestRunner::DownloadURLFactory factory,
                                        SpeedTestConfiguration configuration) {
    Async::checkCancellation();
    const std::optional<QUrl> url = factory(configuration.downloadChunkSizeBytes);
    if (!url) {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidRequest);
    }
    URLRequest request;
    request.url = *url;
    request.timeoutInterval = configuration.requestTimeout;
    const URLSessionResult result = co_await session.perform(request, countingBodyOnly());
    requireSuccess(result);
    co_return result.bodyByteCount;
}

// Counts the bytes sent; the answer's body is read and dropped.
Async::Task<std::int64_t> uploadChunk(URLSession session, URLRequest request) {
    Async::checkCancellation();
    const URLSessionResult result = co_await session.perform(request, countingBodyOnly());
    requireSuccess(result);
    co_return request.httpBody.size();
}

SpeedTestMeasurement measurement(std::int64_t bytes, Clock::result_type start,
                                 Clock::result_type end) {
    const double elapsed = std::chrono::duration<double>(end - start).count();
    const double duration = std::max(elapsed, shortestDurationSeconds);
    const double throughput = static_cast<double>(bytes) * 8.0 / (duration * bitsPerMegabit);
    return {throughput, bytes, duration};
}

// Runs every transfer at once, reports progress as each finishes (each report
// awaited before the next), and measures the phase from `start`. When a
// transfer fails, times out or is cancelled, calls `closeConnections` once the
// others have ended.
Async::Task<SpeedTestMeasurement> runPhase(std::vector<Async::Task<std::int64_t>> transfers,
                                           SpeedTestProgress progress, Clock clock,
                                           Clock::result_type start,
                                           std::function<void()> closeConnections) {
    const auto count = static_cast<double>(transfers.size());
    std::int64_t finished = 0;
    std::int64_t bytes = 0;
    try {
        co_await Async::withThrowingTaskGroup<std::int64_t>(
            [&](Async::ThrowingTaskGroup<std::int64_t>& group) -> Async::Task<void> {
                for (auto& transfer : transfers) {
                    group.addTask(std::move(transfer));
                }
                while (const auto transferred = co_await group.next()) {
                    ++finished;
                    bytes += *transferred;
                    if (progress) {
                        co_await progress(static_cast<double>(finished) / count);
                    }
                }
            });
    } catch (...) {
        closeConnections();
        // The user's cancel ends as cancelled, whatever the transfers surfaced meanwhile.
        if (Async::isCancelled()) {
            throw Async::CancellationError();
        }
        throw;
    }
    const auto end = clock();
    if (bytes <= 0) {
        throw SpeedTestRunnerError(SpeedTestRunnerError::noDataTransferred);
    }
    co_return measurement(bytes, start, end);
}

void requirePositive(std::int64_t chunks, std::int64_t chunkSizeBytes) {
    if (chunks <= 0 || chunkSizeBytes <= 0) {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidRequest);
    }
}

} // namespace

// The runner's network manager, made on first use. A request that timed out or
// was cancelled may leave its connection stalled (a server that never completes
// the TLS handshake), which the manager would hand to the next request to the
// same host; only destroying the manager closes it. The manager is the
// runner's own so that this ends no request of the shared session's users.
class CloudflareSpeedTestRunner::Connections {
public:
    URLSession session() {
        if (!manager_) {
            manager_ = std::make_unique<QNetworkAccessManager>();
        }
        return URLSession(manager_.get());
    }

    void closeAll() { manager_.reset(); }

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
};

QString CloudflareSpeedTestRunner::serviceOrigin() {
    return QStringLiteral("https://speed.cloudflare.com");
}

CloudflareSpeedTestRunner::DownloadURLFactory
CloudflareSpeedTestRunner::downloadURLFactory(QString downloadAddress) {
    return [downloadAddress](std::int64_t byteCount) -> std::optional<QUrl> {
        const QUrl url(downloadAddress + QString::number(byteCount), QUrl::StrictMode);
        if (url.isEmpty() || !url.isValid()) {
            return std::nullopt;
        }
        return url;
    };
}

CloudflareSpeedTestRunner::DownloadURLFactory
CloudflareSpeedTestRunner::defaultDownloadURLFactory() {
    return downloadURLFactory(serviceOrigin() + QStringLiteral("/__down?bytes="));
}

std::optional<QUrl> CloudflareSpeedTestRunner::defaultUploadURL() {
    return QUrl(serviceOrigin() + QStringLiteral("/__up"), QUrl::StrictMode);
}

std::chrono::steady_clock::time_point CloudflareSpeedTestRunner::steadyNow() {
    return std::chrono::steady_clock::now();
}

CloudflareSpeedTestRunner::CloudflareSpeedTestRunner(DownloadURLFactory downloadURLFactory,
                                                     std::optional<QUrl> uploadURL,
                                                     MonotonicClock clock)
    : connections_(std::make_shared<Connections>()),
      downloadURLFactory_(std::move(downloadURLFactory)), uploadURL_(std::move(uploadURL)),
      clock_(std::move(clock)) {}

std::function<void()> CloudflareSpeedTestRunner::connectionCloser() const {
    return [connections = connections_] { connections->closeAll(); };
}

Async::Task<SpeedTestMeasurement>
CloudflareSpeedTestRunner::runDownloadTest(SpeedTestConfiguration configuration,
                                           SpeedTestProgress progress) {
    requirePositive(configuration.downloadChunks, configuration.downloadChunkSizeBytes);
    const auto start = clock_();
    const URLSession session = connections_->session();
    std::vector<Async::Task<std::int64_t>> transfers;
    for (std::int64_t index = 0; index < configuration.downloadChunks; ++index) {
        transfers.push_back(downloadChunk(session, downloadURLFactory_, configuration));
    }
    co_return co_await runPhase(std::move(transfers), std::move(progress), clock_, start,
                                connectionCloser());
}

Async::Task<SpeedTestMeasurement>
CloudflareSpeedTestRunner::runUploadTest(SpeedTestConfiguration configuration,
                                         SpeedTestProgress progress) {
    requirePositive(configuration.uploadChunks, configuration.uploadChunkSizeBytes);
    if (!uploadURL_) {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidRequest);
    }
    // Building the body counts in the elapsed time.
    const auto start = clock_();
    URLRequest request;
    request.url = *uploadURL_;
    request.httpMethod = "POST";
    request.timeoutInterval = configuration.requestTimeout;
    request.setValue("application/octet-stream", "Content-Type");
    request.httpBody =
        QByteArray(static_cast<qsizetype>(configuration.uploadChunkSizeBytes), uploadByte);
    const URLSession session = connections_->session();
    std::vector<Async::Task<std::int64_t>> transfers;
    for (std::int64_t index = 0; index < configuration.uploadChunks; ++index) {
        // Copies of the request share the one body.
        transfers.push_back(uploadChunk(session, request));
    }
    co_return co_await runPhase(std::move(transfers), std::move(progress), clock_, start,
                                connectionCloser());
}
