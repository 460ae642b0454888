#include "App/TerminationSignalWatcher.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <QSocketNotifier>

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

TerminationSignalWatcher::TerminationSignalWatcher(QObject* parent) : QObject(parent) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignalWatcher::drainPipe);
    isWatching_ = true;
    for (std::size_t index = 0; index < quittingSignals.size(); ++index) {
        installHandler(quittingSignals[index], actionsFound[index]);
    }
}

TerminationSignalWatcher::~TerminationSignalWatcher() {
    if (isWatching_) {
        for (std::size_t index = 0; index < quittingSignals.size(); ++index) {
            ::sigaction(quittingSignals[index], &actionsFound[index], nullptr);
        }
    }
    for (int& descriptor : signalPipe) {
        if (descriptor >= 0) {
            ::close(descriptor);
            descriptor = -1;
        }
    }
}

void TerminationSignalWatcher::drainPipe() {
    std::array<unsigned char, 16> bytes{};
    ssize_t count = 0;
    while ((count = ::read(signalPipe[0], bytes.data(), bytes.size())) > 0) {
        for (ssize_t index = 0; index < count; ++index) {
            emit terminationRequested(bytes[static_cast<std::size_t>(index)]);
        }
    }
}
