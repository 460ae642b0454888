#pragma once

#include "Platform/Async/Task.h"
#include "System/CommandExecutionResult.h"
#include "System/CommandRequest.h"

// Runs one command line from an allowed set as a child process under a
// time-out. Returns the result of a run that exited 0; every other outcome
// throws a CommandRunnerError.
class CommandRunning {
public:
    virtual ~CommandRunning() = default;
    virtual Async::Task<CommandExecutionResult> run(CommandRequest request) = 0;
};
