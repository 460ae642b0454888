#include "App/TerminationSignalWatcher.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace {

// A closing terminal sends SIGHUP: the children, each in a group of its own,
// do not get it, so Pelmor must end them.
constexpr std::array quittingSignals{SIGTERM, SIGINT, SIGHUP};

int signalPipe[2] = {-1, -1};

// What each quitting signal did before the watcher: put back on destruction.
std::array<struct sigaction, quittingSignals.size()> actionsFound{};

// A failed write (a full pipe) sets errno, which the interrupted code may be
// about to read.
void writeSignalToPipe(int signalNumber) {
    const int interruptedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = interruptedErrno;
}

// Installs the watcher's handler unless the signal was ignored when Pelmor
// started, as nohup leaves SIGHUP and a non-interactive shell leaves SIGINT
// for a job in the background: whoever started it asked it to live on.
void installHandler(int signalNumber, struct sigaction& found) {
    ::sigaction(signalNumber, nullptr, &found);
    if (found.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = writeSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

void TerminationSignalWatcher::unblockQuittingSignals() {
    sigset_t quitting;
    sigemptyset(&quitting);
    for (const int signalNumber : quittingSignals) {
        sigaddset(&quitting, signalNumber);
    }
    ::pthread_sigmask(SIG_UNBLOCK, &quitting, nullptr);
}

// The handler's end never blocks (a full pipe drops the byte); the reader's
// waits.
TerminationSignalWatcher::TerminationSignalWatcher(std::function<void(int)> atOnce, QObject* parent)
    : QObject(parent), atOnce_(std::move(atOnce)) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    ::fcntl(signalPipe[0], F_SETFL, ::fcntl(signalPipe[0], F_GETFL) & ~O_NONBLOCK);
    reader_ = std::thread([this] { readPipe(); });
    isWatching_ = true;
    for (std::size_t index = 0; index < quittingSignals.size(); ++index) {
        installHandler(quittingSignals[index], actionsFound[index]);
    }
}

// The reader ends at the pipe's end, once the handlers that write to it are
// gone.
TerminationSignalWatcher::~TerminationSignalWatcher() {
    if (isWatching_) {
        for (std::size_t index = 0; index < quittingSignals.size(); ++index) {
            ::sigaction(quittingSignals[index], &actionsFound[index], nullptr);
        }
        ::close(std::exchange(signalPipe[1], -1));
        reader_.join();
    }
    for (int& descriptor : signalPipe) {
        if (descriptor >= 0) {
            ::close(descriptor);
            descriptor = -1;
        }
    }
}

void TerminationSignalWatcher::readPipe() {
    std::array<unsigned char, 16> bytes{};
    for (;;) {
        const ssize_t count = ::read(signalPipe[0], bytes.data(), bytes.size());
        if (count == 0 || (count < 0 && errno != EINTR)) {
            return;
        }
        for (ssize_t index = 0; index < count; ++index) {
            const int signalNumber = bytes[static_cast<std::size_t>(index)];
            if (atOnce_) {
                atOnce_(signalNumber);
            }
            emit terminationRequested(signalNumber);
        }
    }
}
