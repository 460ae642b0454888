#include "App/TerminationSignalWatcher.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

// A closing terminal sends SIGHUP: the children, each in a group of its own,
// do not get it, so Pelmor must end them.
constexpr std::array quittingSignals{SIGTERM, SIGINT, SIGHUP};

int signalPipe[2] = {-1, -1};

void writeSignalToPipe(int signalNumber) {
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void installHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignalWatcher::TerminationSignalWatcher(QObject* parent) : QObject(parent) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignalWatcher::drainPipe);
    for (const int signalNumber : quittingSignals) {
        installHandler(signalNumber, writeSignalToPipe);
    }
}

TerminationSignalWatcher::~TerminationSignalWatcher() {
    for (const int signalNumber : quittingSignals) {
        installHandler(signalNumber, SIG_DFL);
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
