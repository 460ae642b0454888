#include "Platform/Process/ChildReaper.h"

#include <algorithm>
#include <optional>
#include <sys/wait.h>
#include <vector>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace {

using Clock = std::chrono::steady_clock;

struct PendingChild {
    pid_t pid;
    Clock::time_point due;
};

std::vector<PendingChild> pendingChildren;
// Reaps what is left once no child has been handed over for a while; owned by
// the application object, so gone (null) with it.
QPointer<QTimer> idleReapTimer;

// Whether `pid` is gone: reaped now, or by someone else before. Never waits.
bool reapNow(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG) != 0 ||
           info.si_pid != 0;
}

// Reaps the children whose grace has passed; a child that has not ended yet
// is tried again after the idle delay. Returns how long until the next
// child's grace has passed, if any is left.
std::optional<Clock::duration> reapDueChildren() {
    const Clock::time_point now = Clock::now();
    std::erase_if(pendingChildren, [now](const PendingChild& child) {
        return child.due <= now && reapNow(child.pid);
    });
    // Those left whose grace has passed have not ended yet.
    for (PendingChild& child : pendingChildren) {
        if (child.due <= now) {
            child.due = now + ChildReaper::idleDelay;
        }
    }
    if (pendingChildren.empty()) {
        return std::nullopt;
    }
    const auto earliest = std::min_element(
        pendingChildren.begin(), pendingChildren.end(),
        [](const PendingChild& a, const PendingChild& b) { return a.due < b.due; });
    return earliest->due - now;
}

void startIdleReap(Clock::duration delay) {
    if (idleReapTimer.isNull()) {
        idleReapTimer = new QTimer(QCoreApplication::instance());
        idleReapTimer->setSingleShot(true);
        QObject::connect(idleReapTimer, &QTimer::timeout, [] {
            if (const auto next = reapDueChildren()) {
                startIdleReap(*next);
            }
        });
    }
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay);
    idleReapTimer->start(std::max(milliseconds, std::chrono::milliseconds(1)));
}

} // namespace

void ChildReaper::reapLater(pid_t pid) {
    if (QCoreApplication::instance() == nullptr) {
        reapNow(pid);
        return;
    }
    reapDueChildren();
    pendingChildren.push_back({pid, Clock::now() + grace});
    startIdleReap(idleDelay);
}

int ChildReaper::pendingCount() {
    return static_cast<int>(pendingChildren.size());
}
