#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

// What a command that exited with status 0 printed.
struct CommandExecutionResult {
    QString executable;
    QStringList arguments;
    std::int32_t exitCode = 0;
    QString standardOutput;
    QString standardError;

    bool operator==(const CommandExecutionResult&) const = default;
};
