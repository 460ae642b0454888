#pragma once

#include "System/CommandRunnerError.h"

#include <exception>
#include <stdexcept>
#include <vector>

#include <QString>

// Every way a run of `executable` can fail without printing anything to read:
// each runner error except a non-zero exit, and an error of another kind.
inline std::vector<std::exception_ptr> failuresWithoutOutput(const QString& executable) {
    return {
        std::make_exception_ptr(
            CommandRunnerError(CommandRunnerError::ExecutableNotAllowed{executable})),
        std::make_exception_ptr(CommandRunnerError(
            CommandRunnerError::LaunchFailed{QStringLiteral("No such file or directory")})),
        std::make_exception_ptr(CommandRunnerError(CommandRunnerError::TimedOut{executable, 1.5})),
        std::make_exception_ptr(CommandRunnerError(CommandRunnerError::Cancelled{executable})),
        std::make_exception_ptr(
            CommandRunnerError(CommandRunnerError::OutputDecodingFailed{executable})),
        std::make_exception_ptr(std::runtime_error("not a runner error")),
    };
}
