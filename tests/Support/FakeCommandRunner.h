#pragma once

#include "System/CommandRunnerError.h"
#include "System/CommandRunning.h"

#include <exception>
#include <map>
#include <utility>
#include <variant>
#include <vector>

#include <QString>
#include <QStringList>

// A scripted CommandRunning. Records every request; answers each command line
// (executable and arguments) with its scripted reply, every time it is run.
// A command without a reply fails to launch, and a run from a cancelled task
// ends with `cancelled`, as the real runner's would.
class FakeCommandRunner final : public CommandRunning {
public:
    // Exit 0 with this standard output.
    void succeed(const QString& executable, const QStringList& arguments,
                 const QString& standardOutput);
    void fail(const QString& executable, const QStringList& arguments, CommandRunnerError error);
    // Any other exception, thrown as is.
    void fail(const QString& executable, const QStringList& arguments, std::exception_ptr error);

    Async::Task<CommandExecutionResult> run(CommandRequest request) override;

    const std::vector<CommandRequest>& requests() const { return requests_; }
    // The executable and arguments of each request, joined by spaces.
    QStringList commandLines() const;

private:
    using Reply = std::variant<QString, CommandRunnerError, std::exception_ptr>;
    using CommandLine = std::pair<QString, QStringList>;

    CommandExecutionResult reply(const CommandRequest& request) const;

    std::map<CommandLine, Reply> replies_;
    std::vector<CommandRequest> requests_;
};
