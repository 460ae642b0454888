#include "Support/ChildProcess.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tools {

namespace {

struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
};

std::optional<Pipe> makePipe(int flags) {
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), flags) != 0) {
        return std::nullopt;
    }
    return Pipe{ends[0], ends[1]};
}

ssize_t readRetrying(int descriptor, void* buffer, std::size_t size) {
    ssize_t count = 0;
    do {
        count = read(descriptor, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

// The argument vector for execv, built before fork so that the child only makes system calls.
std::vector<char*> execArguments(const std::string& program,
                                 const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

[[noreturn]] void execChild(const std::vector<char*>& argv, const Pipe& output,
                            const Pipe& execFailure, pid_t parent) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) {
        _exit(127);
    }
    dup2(output.writeEnd, STDOUT_FILENO);
    close(output.readEnd);
    close(output.writeEnd);
    close(execFailure.readEnd);
    execv(argv[0], argv.data());
    const int error = errno;
    [[maybe_unused]] const auto written = write(execFailure.writeEnd, &error, sizeof error);
    _exit(127);
}

// True when the child reported that exec failed; the descriptor closes on a successful exec.
bool execFailed(int execFailureReadEnd) {
    int error = 0;
    return readRetrying(execFailureReadEnd, &error, sizeof error) > 0;
}

void forwardLines(int descriptor, const std::function<void(std::string_view)>& onLine) {
    std::string pending;
    std::array<char, 4096> buffer{};
    ssize_t count = 0;
    while ((count = readRetrying(descriptor, buffer.data(), buffer.size())) > 0) {
        pending.append(buffer.data(), static_cast<std::size_t>(count));
        std::size_t newline = 0;
        while ((newline = pending.find('\n')) != std::string::npos) {
            onLine(std::string_view(pending).substr(0, newline));
            pending.erase(0, newline + 1);
        }
    }
    if (!pending.empty()) {
        onLine(pending);
    }
}

int waitForExitStatus(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace

std::optional<int> runReadingLines(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::function<void(std::string_view)>& onLine) {
    const auto output = makePipe(O_CLOEXEC);
    const auto execFailure = makePipe(O_CLOEXEC);
    if (!output || !execFailure) {
        return std::nullopt;
    }
    const auto argv = execArguments(program, arguments);
    const auto parent = getpid();
    const auto child = fork();
    if (child == 0) {
        execChild(argv, *output, *execFailure, parent);
    }
    close(output->writeEnd);
    close(execFailure->writeEnd);
    if (child < 0 || execFailed(execFailure->readEnd)) {
        close(output->readEnd);
        close(execFailure->readEnd);
        if (child > 0) {
            waitForExitStatus(child);
        }
        return std::nullopt;
    }
    close(execFailure->readEnd);
    forwardLines(output->readEnd, onLine);
    close(output->readEnd);
    return waitForExitStatus(child);
}

} // namespace tools
