#pragma once

#include "Core/TaskSleeper.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/Runtime.h"
#include "System/SpeedTestLatencyProbing.h"

#include <deque>
#include <optional>

// Answers latency probes from a script, then with `laterAnswer`, each after
// `probeSeconds` of the runtime's time. A probe waits without looking at
// cancellation, like a command already running that only ends when it ends.
class ScriptedLatencyProbe final : public SpeedTestLatencyProbing {
public:
    std::deque<std::optional<double>> answers;
    std::optional<double> laterAnswer = 25.0;
    double probeSeconds = 0;
    int probes = 0;

    Async::Task<std::optional<double>> measureLatency(QString, double) override {
        ++probes;
        std::optional<double> answer = laterAnswer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        co_await uncancellableWait(probeSeconds);
        co_return answer;
    }

private:
    static Async::Task<void> uncancellableWait(double seconds) {
        const auto nanoseconds = TaskSleeper::nanoseconds(seconds);
        if (nanoseconds == 0) {
            co_return;
        }
        co_await Async::withContinuation<void>(
            [nanoseconds](Async::Continuation<void> continuation) {
                Async::Runtime::current().timers().schedule(
                    nanoseconds, [continuation] { continuation.resume(); });
            });
    }
};
