#pragma once

#include "Platform/Async/Task.h"
#include "System/SpeedTestConfiguration.h"
#include "System/SpeedTestMeasurement.h"

#include <functional>

// Told the finished share of a phase's requests (0 to 1); awaited before the
// next one is reported. Callable from any thread.
using SpeedTestProgress = std::function<Async::Task<void>(double)>;

// Moves bulk data to and from a speed-test service and reports the throughput.
class SpeedTesting {
public:
    virtual ~SpeedTesting() = default;
    virtual Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration configuration,
                                                              SpeedTestProgress progress) = 0;
    virtual Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration configuration,
                                                            SpeedTestProgress progress) = 0;
};
