#pragma once

#include "Platform/Process/ToolRoot.h"
#include "System/CommandRunning.h"

#include <QSet>
#include <QString>

// Runs one executable from a fixed allowed set as a child process, without a
// shell, under a time-out counted from the launch, and hands back its exit
// status and both outputs decoded as strict UTF-8. The executable is checked
// exactly as given; only at launch is it looked up under the tool root.
class ShellCommandRunner final : public CommandRunning {
public:
    // "/sbin/ping", "/sbin/ping6", "/sbin/ifconfig", "/usr/bin/dig",
    // "/usr/sbin/netstat", "/usr/sbin/ipconfig".
    static QSet<QString> defaultAllowedExecutables();

    explicit ShellCommandRunner(QSet<QString> allowedExecutables = defaultAllowedExecutables(),
                                ToolRoot toolRoot = ToolRoot::locate());

    const QSet<QString>& allowedExecutables() const { return allowedExecutables_; }

    Async::Task<CommandExecutionResult> run(CommandRequest request) override;

private:
    QSet<QString> allowedExecutables_;
    ToolRoot toolRoot_;
};
