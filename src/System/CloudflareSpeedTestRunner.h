#pragma once

#include "System/SpeedTesting.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QUrl>

// Times parallel transfers against the speed-test service: GETs of
// "/__down?bytes=N", whose bodies are counted but not kept, and POSTs of
// "/__up", all carrying one shared body. Progress is reported in the order the
// requests finish. Elapsed time comes from a monotonic clock. Cancelling the
// calling task ends every request and the phase with Async::CancellationError.
//
// The requests go through a network manager of the runner's own, shared by its
// copies, so that a phase does not time the handshakes of new connections: the
// connections stay open for the next phase and the next test. A phase whose
// requests fail, time out or are cancelled closes them all. Phases of one
// runner run one at a time, on the main thread.
class CloudflareSpeedTestRunner final : public SpeedTesting {
public:
    // The URL that asks the service for a body of the given size, or none.
    using DownloadURLFactory = std::function<std::optional<QUrl>(std::int64_t)>;
    using MonotonicClock = std::function<std::chrono::steady_clock::time_point()>;

    // The service's https origin.
    static QString serviceOrigin();
    // Appends the decimal byte count to `downloadAddress`; no URL when the text does not parse.
    static DownloadURLFactory downloadURLFactory(QString downloadAddress);
    // The service's "/__down?bytes=" address.
    static DownloadURLFactory defaultDownloadURLFactory();
    // The service's "/__up" address.
    static std::optional<QUrl> defaultUploadURL();
    static std::chrono::steady_clock::time_point steadyNow();

    explicit CloudflareSpeedTestRunner(
        DownloadURLFactory downloadURLFactory = defaultDownloadURLFactory(),
        std::optional<QUrl> uploadURL = defaultUploadURL(), MonotonicClock clock = steadyNow);

    Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration configuration,
                                                      SpeedTestProgress progress) override;
    Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration configuration,
                                                    SpeedTestProgress progress) override;

private:
    class Connections;

    // Closes the runner's connections when called, even after the runner has gone.
    std::function<void()> connectionCloser() const;

    std::shared_ptr<Connections> connections_;
    DownloadURLFactory downloadURLFactory_;
    std::optional<QUrl> uploadURL_;
    MonotonicClock clock_;
};
