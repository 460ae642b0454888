#include "System/ShellCommandRunner.h"

#include "Core/TaskSleeper.h"
#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Process/ChildProcess.h"
#include "System/CommandRunnerError.h"

#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <variant>

#include <QCoreApplication>
#include <QStringDecoder>
#include <QTimer>

namespace {

using Outcome = std::variant<CommandExecutionResult, CommandRunnerError>;
using ResultContinuation = Async::Continuation<CommandExecutionResult>;

// How long a child asked to terminate may take before it is killed.
constexpr int terminationGraceMilliseconds = 2000;

std::optional<QString> decodeStrictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

void deliver(const ResultContinuation& continuation, Outcome outcome) {
    if (auto* result = std::get_if<CommandExecutionResult>(&outcome)) {
        continuation.resume(std::move(*result));
    } else {
        continuation.resumeThrowing(
            std::make_exception_ptr(std::get<CommandRunnerError>(std::move(outcome))));
    }
}

// The state of one run, shared by the three parties that can end it: the
// process's termination, the time-out and the caller's cancellation. The first
// to finish decides the outcome. `lock_` guards the outcome and the
// continuation, which the cancellation may reach from any thread; the process
// itself is only touched on the main thread.
class ExecutionState : public std::enable_shared_from_this<ExecutionState> {
public:
    ExecutionState(CommandRequest request, std::shared_ptr<Async::Executor> mainExecutor)
        : request_(std::move(request)), mainExecutor_(std::move(mainExecutor)) {}

    // Stores the continuation, or, when the run already ended (cancelled before
    // launch), resumes it with that outcome; returns whether to launch.
    bool bind(ResultContinuation continuation) {
        std::unique_lock lock(lock_);
        if (didFinish_) {
            auto outcome = std::move(*unclaimedOutcome_);
            unclaimedOutcome_.reset();
            lock.unlock();
            deliver(continuation, std::move(outcome));
            return false;
        }
        continuation_ = std::move(continuation);
        return true;
    }

    void finish(Outcome outcome) {
        std::unique_lock lock(lock_);
        if (didFinish_) {
            return;
        }
        didFinish_ = true;
        if (!continuation_) {
            unclaimedOutcome_ = std::move(outcome);
            return;
        }
        auto continuation = std::move(*continuation_);
        continuation_.reset();
        lock.unlock();
        deliver(continuation, std::move(outcome));
    }

    // Any thread.
    void cancel() {
        finish(CommandRunnerError(CommandRunnerError::Cancelled{request_.executable}));
        mainExecutor_->post([self = shared_from_this()] { self->terminateProcessIfRunning(); });
    }

    void launch(const QString& program) {
        // Owned by the application until it has ended, so that a child still
        // running when the application quits is killed and reaped with it.
        process_ = new ChildProcess(QCoreApplication::instance());
        if (const auto failure = process_->start(program, request_.arguments)) {
            delete std::exchange(process_, nullptr);
            finish(CommandRunnerError(CommandRunnerError::LaunchFailed{*failure}));
            return;
        }
        // The connection keeps the state alive until the child has ended,
        // also after the caller has gone.
        QObject::connect(
            process_, &ChildProcess::finished, process_,
            [self = shared_from_this()](int status, bool) { self->processFinished(status); });
        startTimeout();
    }

private:
    // A timer of the runtime rather than a sleeping task: nearly every run
    // ends first, and ending a sleep early costs a task's turn and a thrown
    // cancellation. No time at all times out on a later turn.
    void startTimeout() {
        const std::uint64_t nanoseconds = TaskSleeper::nanoseconds(request_.timeout);
        auto timeOut = [self = shared_from_this()] { self->timeOut(); };
        if (nanoseconds == 0) {
            mainExecutor_->post(std::move(timeOut));
            return;
        }
        timers_ = &Async::Runtime::current().timers();
        timeoutTimer_ = timers_->schedule(nanoseconds, std::move(timeOut));
    }

    void stopTimeout() {
        // Only while the runtime that holds the timer is still the one installed.
        if (timers_ != nullptr && Async::Runtime::isInstalled() &&
            &Async::Runtime::current().timers() == timers_) {
            timers_->cancel(timeoutTimer_);
        }
        timers_ = nullptr;
    }

    void timeOut() {
        terminateProcessIfRunning();
        finish(CommandRunnerError(
            CommandRunnerError::TimedOut{request_.executable, request_.timeout}));
    }

    void terminateProcessIfRunning() {
        if (process_ == nullptr || !process_->isRunning()) {
            return;
        }
        process_->terminate();
        QTimer::singleShot(terminationGraceMilliseconds, process_,
                           [process = process_] { process->kill(); });
    }

    void processFinished(int status) {
        finish(outcomeOfExit(status));
        release();
    }

    // `status` is the exit status, or the number of the signal that ended the
    // child: never 0 for a child ended by a signal. Output past the limit
    // cannot be read, like output that is not strict UTF-8.
    Outcome outcomeOfExit(std::int32_t status) {
        const auto standardOutput = decodeStrictUtf8(process_->standardOutput());
        const auto standardError = decodeStrictUtf8(process_->standardError());
        if (process_->exceededOutputLimit() || !standardOutput || !standardError) {
            return CommandRunnerError(
                CommandRunnerError::OutputDecodingFailed{request_.executable});
        }
        if (status != 0) {
            return CommandRunnerError(CommandRunnerError::NonZeroExit{
                request_.executable, status, *standardOutput, *standardError});
        }
        return CommandExecutionResult{request_.executable, request_.arguments, 0, *standardOutput,
                                      *standardError};
    }

    // The child has ended: drop the process and the connection that kept
    // this state alive, and stop a time-out still waiting.
    void release() {
        std::exchange(process_, nullptr)->deleteLater();
        stopTimeout();
    }

    const CommandRequest request_;
    const std::shared_ptr<Async::Executor> mainExecutor_;

    std::mutex lock_;
    bool didFinish_ = false;
    std::optional<ResultContinuation> continuation_;
    std::optional<Outcome> unclaimedOutcome_;

    ChildProcess* process_ = nullptr;
    Async::TimerService* timers_ = nullptr;
    Async::TimerService::TimerId timeoutTimer_ = 0;
};

} // namespace

QSet<QString> ShellCommandRunner::defaultAllowedExecutables() {
    return {QStringLiteral("/sbin/ping"),        QStringLiteral("/sbin/ping6"),
            QStringLiteral("/sbin/ifconfig"),    QStringLiteral("/usr/bin/dig"),
            QStringLiteral("/usr/sbin/netstat"), QStringLiteral("/usr/sbin/ipconfig")};
}

ShellCommandRunner::ShellCommandRunner(QSet<QString> allowedExecutables, ToolRoot toolRoot)
    : allowedExecutables_(std::move(allowedExecutables)), toolRoot_(std::move(toolRoot)) {}

Async::Task<CommandExecutionResult> ShellCommandRunner::run(CommandRequest request) {
    if (!allowedExecutables_.contains(request.executable)) {
        throw CommandRunnerError(CommandRunnerError::ExecutableNotAllowed{request.executable});
    }
    const QString program = toolRoot_.resolve(request.executable);
    auto state =
        std::make_shared<ExecutionState>(std::move(request), Async::Runtime::current().executor());
    // Runs at once when the caller is already cancelled: the run then ends
    // with `cancelled` and nothing is launched.
    const auto cancellation = Async::onCancel([state] { state->cancel(); });
    co_return co_await Async::withContinuation<CommandExecutionResult>(
        [&](ResultContinuation continuation) {
            if (state->bind(std::move(continuation))) {
                state->launch(program);
            }
        });
}
