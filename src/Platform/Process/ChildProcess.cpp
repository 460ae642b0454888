#include "Platform/Process/ChildProcess.h"

#include "Platform/Process/ChildReaper.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QSocketNotifier>
#include <QTimer>

extern char** environ;

namespace {

// Used only where the kernel offers no pidfd.
constexpr int exitPollMilliseconds = 5;

// Every child started and not yet seen to end, with its process id, which
// stays its own until it is reaped: a child leaves this set before it goes to
// the reaper. Lock-guarded: a process that ends abruptly kills the groups from
// another thread, also while exit() destroys static objects, so it is never
// destroyed.
class RunningChildren {
public:
    static RunningChildren& shared() {
        static auto* const children = new RunningChildren;
        return *children;
    }
    void insert(ChildProcess* child, pid_t pid) {
        const std::lock_guard guard(lock_);
        children_.emplace(child, pid);
    }
    void erase(ChildProcess* child) {
        const std::lock_guard guard(lock_);
        children_.erase(child);
    }
    std::unordered_map<ChildProcess*, pid_t> snapshot() {
        const std::lock_guard guard(lock_);
        return children_;
    }

private:
    std::mutex lock_;
    std::unordered_map<ChildProcess*, pid_t> children_;
};

struct SpawnAttributes {
    posix_spawnattr_t attributes{};
    SpawnAttributes() { posix_spawnattr_init(&attributes); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
};

struct SpawnActions {
    posix_spawn_file_actions_t actions{};
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
};

struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
    bool open() {
        std::array<int, 2> descriptors{};
        if (::pipe2(descriptors.data(), O_CLOEXEC) != 0) {
            return false;
        }
        readEnd = descriptors[0];
        writeEnd = descriptors[1];
        return true;
    }
    void closeAll() {
        for (int* descriptor : {&readEnd, &writeEnd}) {
            if (*descriptor >= 0) {
                ::close(*descriptor);
                *descriptor = -1;
            }
        }
    }
};

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Called through syscall(): glibc's own declaration lacks C linkage.
int openPidDescriptor(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

// `pid` must not have been reaped: while it holds its number, the group of
// that number is its own. The leader alone too, in case it left its group.
void signalGroup(pid_t pid, int signalNumber) {
    ::kill(-pid, signalNumber);
    ::kill(pid, signalNumber);
}

} // namespace

ChildProcess::ChildProcess(QObject* parent) : QObject(parent) {}

ChildProcess::~ChildProcess() {
    killAndLetGo();
    close(output_);
    close(error_);
    if (pidDescriptor_ >= 0) {
        ::close(pidDescriptor_);
    }
}

std::optional<QString> ChildProcess::start(const QString& program, const QStringList& arguments) {
    Pipe output;
    Pipe error;
    if (!output.open() || !error.open()) {
        const int failure = errno;
        output.closeAll();
        error.closeAll();
        return systemError(failure);
    }
    SpawnActions spawnActions;
    posix_spawn_file_actions_adddup2(&spawnActions.actions, output.writeEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&spawnActions.actions, error.writeEnd, STDERR_FILENO);
    // Nothing to read, rather than whatever Pelmor's own standard input is:
    // a terminal, or nothing at all, which some tools refuse to run with.
    posix_spawn_file_actions_addopen(&spawnActions.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    const QByteArray path = program.toLocal8Bit();
    std::vector<QByteArray> encoded{path};
    for (const QString& argument : arguments) {
        encoded.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& argument : encoded) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    // A process group of its own, led by the child.
    SpawnAttributes spawnAttributes;
    posix_spawnattr_setflags(&spawnAttributes.attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&spawnAttributes.attributes, 0);

    pid_t pid = 0;
    const int failure = ::posix_spawn(&pid, path.constData(), &spawnActions.actions,
                                      &spawnAttributes.attributes, argv.data(), environ);
    ::close(output.writeEnd);
    ::close(error.writeEnd);
    if (failure != 0) {
        ::close(output.readEnd);
        ::close(error.readEnd);
        return systemError(failure);
    }
    pid_ = pid;
    RunningChildren::shared().insert(this, pid);
    watchOutput(output_, output.readEnd, standardOutput_);
    watchOutput(error_, error.readEnd, standardError_);
    watchExit();
    return std::nullopt;
}

void ChildProcess::watchOutput(OutputPipe& pipe, int descriptor, QByteArray& buffer) {
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) | O_NONBLOCK);
    pipe.descriptor = descriptor;
    pipe.buffer = &buffer;
    pipe.notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(pipe.notifier, &QSocketNotifier::activated, this, [this, &pipe] { drain(pipe); });
}

void ChildProcess::drain(OutputPipe& pipe) {
    if (pipe.descriptor < 0) {
        return;
    }
    std::array<char, 65536> chunk{};
    while (true) {
        const ssize_t count = ::read(pipe.descriptor, chunk.data(), chunk.size());
        if (count > 0) {
            pipe.buffer->append(chunk.data(), count);
            if (standardOutput_.size() + standardError_.size() > outputLimit) {
                stopAtOutputLimit();
                return;
            }
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            if (count == 0) {
                close(pipe);
            }
            return;
        }
    }
}

void ChildProcess::stopAtOutputLimit() {
    exceededOutputLimit_ = true;
    close(output_);
    close(error_);
    standardOutput_ = QByteArray();
    standardError_ = QByteArray();
    sendSignal(SIGKILL);
}

void ChildProcess::close(OutputPipe& pipe) {
    if (pipe.notifier != nullptr) {
        pipe.notifier->setEnabled(false);
        pipe.notifier->deleteLater();
        pipe.notifier = nullptr;
    }
    if (pipe.descriptor >= 0) {
        ::close(pipe.descriptor);
        pipe.descriptor = -1;
    }
}

void ChildProcess::watchExit() {
    pidDescriptor_ = openPidDescriptor(pid_);
    if (pidDescriptor_ >= 0) {
        exitNotifier_ = new QSocketNotifier(pidDescriptor_, QSocketNotifier::Read, this);
        connect(exitNotifier_, &QSocketNotifier::activated, this, &ChildProcess::noticeExit);
        return;
    }
    exitPoll_ = new QTimer(this);
    connect(exitPoll_, &QTimer::timeout, this, &ChildProcess::noticeExit);
    exitPoll_->start(exitPollMilliseconds);
}

// Reads the exit without reaping (WNOWAIT): the reap is left to ChildReaper,
// where it is cheap. A child that cannot be waited for was reaped by someone
// else (the kernel does that where SIGCHLD is ignored): it has ended, its
// status is lost, and its number, and its group's, may be another's by now.
void ChildProcess::noticeExit() {
    if (pid_ <= 0) {
        return;
    }
    siginfo_t info{};
    const bool isReapedElsewhere =
        ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0;
    if (!isReapedElsewhere && info.si_pid == 0) {
        return;
    }
    if (isReapedElsewhere) {
        stopWatching();
    } else {
        // A child asked to end takes what is left of its group with it;
        // unreaped, it still holds the group's number.
        if (endRequested_) {
            signalGroup(pid_, SIGKILL);
        }
        handOverToReaper();
    }
    // Everything the child wrote is in the pipes by now.
    drain(output_);
    drain(error_);
    close(output_);
    close(error_);
    const bool endedBySignal =
        !isReapedElsewhere && (info.si_code == CLD_KILLED || info.si_code == CLD_DUMPED);
    emit finished(isReapedElsewhere ? unknownStatus : info.si_status, endedBySignal);
}

void ChildProcess::killAllRunning() {
    for (const auto& [child, pid] : RunningChildren::shared().snapshot()) {
        child->killAndLetGo();
    }
}

void ChildProcess::killAllRunningGroups() {
    for (const auto& [child, pid] : RunningChildren::shared().snapshot()) {
        signalGroup(pid, SIGKILL);
    }
}

void ChildProcess::killAndLetGo() {
    if (pid_ <= 0) {
        return;
    }
    signalGroup(pid_, SIGKILL);
    handOverToReaper();
}

// The child leaves the running set before the reaper can free its number.
void ChildProcess::handOverToReaper() {
    ChildReaper::reapLater(stopWatching());
}

pid_t ChildProcess::stopWatching() {
    RunningChildren::shared().erase(this);
    if (exitNotifier_ != nullptr) {
        exitNotifier_->setEnabled(false);
    }
    if (exitPoll_ != nullptr) {
        exitPoll_->stop();
    }
    return std::exchange(pid_, -1);
}

void ChildProcess::terminate() {
    sendSignal(SIGTERM);
}

void ChildProcess::kill() {
    sendSignal(SIGKILL);
}

void ChildProcess::sendSignal(int signalNumber) {
    if (pid_ <= 0) {
        return;
    }
    endRequested_ = true;
    signalGroup(pid_, signalNumber);
}
