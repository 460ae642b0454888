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

void reapNow(pid_t pid) {
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG);
}

// Reaps the children whose grace has passed; returns how long until the next
// one's has, if any is left.
std::optional<Clock::duration> reapDueChildren() {
    const Clock::time_point now = Clock::now();
    const auto firstWaiting =
        std::partition(pendingChildren.begin(), pendingChildren.end(),
                       [now](const PendingChild& child) { return child.due <= now; });
    std::for_each(pendingChildren.begin(), firstWaiting,
                  [](const PendingChild& child) { reapNow(child.pid); });
    pendingChildren.erase(pendingChildren.begin(), firstWaiting);
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
