#include "Support/FakeCommandRunner.h"

#include "Platform/Async/CurrentTask.h"

void FakeCommandRunner::succeed(const QString& executable, const QStringList& arguments,
                                const QString& standardOutput) {
    replies_.insert_or_assign({executable, arguments}, Reply(standardOutput));
}

void FakeCommandRunner::fail(const QString& executable, const QStringList& arguments,
                             CommandRunnerError error) {
    replies_.insert_or_assign({executable, arguments}, Reply(std::move(error)));
}

void FakeCommandRunner::fail(const QString& executable, const QStringList& arguments,
                             std::exception_ptr error) {
    replies_.insert_or_assign({executable, arguments}, Reply(std::move(error)));
}

Async::Task<CommandExecutionResult> FakeCommandRunner::run(CommandRequest request) {
    requests_.push_back(request);
    co_return reply(request);
}

QStringList FakeCommandRunner::commandLines() const {
    QStringList lines;
    for (const CommandRequest& request : requests_) {
        lines.append((QStringList{request.executable} + request.arguments).join(u' '));
    }
    return lines;
}

CommandExecutionResult FakeCommandRunner::reply(const CommandRequest& request) const {
    if (Async::isCancelled()) {
        throw CommandRunnerError(CommandRunnerError::Cancelled{request.executable});
    }
    const auto found = replies_.find({request.executable, request.arguments});
    if (found == replies_.end()) {
        throw CommandRunnerError(
            CommandRunnerError::LaunchFailed{QStringLiteral("no reply scripted")});
    }
    if (const auto* error = std::get_if<CommandRunnerError>(&found->second)) {
        throw *error;
    }
    if (const auto* error = std::get_if<std::exception_ptr>(&found->second)) {
        std::rethrow_exception(*error);
    }
    return {request.executable, request.arguments, 0, std::get<QString>(found->second), {}};
}
