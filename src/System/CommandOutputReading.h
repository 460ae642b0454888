#pragma once

#include "Platform/Async/Task.h"
#include "System/CommandRequest.h"
#include "System/CommandRunning.h"

#include <optional>

#include <QString>

// Runs a command for its standard output, folding every failure into none.

// The output of a run that exited 0, or the output a non-zero exit carried
// (ping, dig and netstat still print what they know when they fail).
Async::Task<std::optional<QString>> outputOfAnyExit(CommandRunning& runner, CommandRequest request);

// The output of a run that exited 0, or of a non-zero exit that printed at
// least one non-blank line: a failure that printed nothing has nothing to read.
Async::Task<std::optional<QString>> outputOfAnyInformativeExit(CommandRunning& runner,
                                                               CommandRequest request);

// The output of a run that exited 0 only.
Async::Task<std::optional<QString>> outputOfSuccessfulExit(CommandRunning& runner,
                                                           CommandRequest request);
