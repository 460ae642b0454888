#pragma once

#include <QString>
#include <QStringList>

// One command line for the guarded runner: an absolute executable path from
// the allowed set, its arguments (no shell), and a time-out in seconds.
struct CommandRequest {
    QString executable;
    QStringList arguments;
    double timeout = 0;

    bool operator==(const CommandRequest&) const = default;
};
