#include "System/CommandOutputReading.h"

#include "System/CommandRunnerError.h"

#include <utility>

Async::Task<std::optional<QString>> outputOfAnyExit(CommandRunning& runner,
                                                    CommandRequest request) {
    try {
        co_return (co_await runner.run(std::move(request))).standardOutput;
    } catch (const CommandRunnerError& error) {
        if (const auto* nonZeroExit = error.as<CommandRunnerError::NonZeroExit>()) {
            co_return nonZeroExit->standardOutput;
        }
        co_return std::nullopt;
    } catch (...) {
        co_return std::nullopt;
    }
}

Async::Task<std::optional<QString>> outputOfAnyInformativeExit(CommandRunning& runner,
                                                               CommandRequest request) {
    try {
        co_return (co_await runner.run(std::move(request))).standardOutput;
    } catch (const CommandRunnerError& error) {
        const auto* nonZeroExit = error.as<CommandRunnerError::NonZeroExit>();
        if (nonZeroExit != nullptr && !nonZeroExit->standardOutput.trimmed().isEmpty()) {
            co_return nonZeroExit->standardOutput;
        }
        co_return std::nullopt;
    } catch (...) {
        co_return std::nullopt;
    }
}

Async::Task<std::optional<QString>> outputOfSuccessfulExit(CommandRunning& runner,
                                                           CommandRequest request) {
    try {
        co_return (co_await runner.run(std::move(request))).standardOutput;
    } catch (...) {
        co_return std::nullopt;
    }
}
