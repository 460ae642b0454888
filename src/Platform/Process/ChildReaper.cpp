#include "Platform/Process/ChildReaper.h"

#include <algorithm>
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
// The application object the pending reap was scheduled on; null when none
// is, also once that object is gone (its timer went with it).
QPointer<QCoreApplication> reapScheduledOn;

void reapNow(pid_t pid) {
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG);
}

void reapDueChildren();

void scheduleReap(Clock::duration delay) {
    reapScheduledOn = QCoreApplication::instance();
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay);
    QTimer::singleShot(std::max(milliseconds, std::chrono::milliseconds(1)),
                       QCoreApplication::instance(), reapDueChildren);
}

void reapDueChildren() {
    reapScheduledOn = nullptr;
    const Clock::time_point now = Clock::now();
    const auto firstWaiting =
        std::partition(pendingChildren.begin(), pendingChildren.end(),
                       [now](const PendingChild& child) { return child.due <= now; });
    std::for_each(pendingChildren.begin(), firstWaiting,
                  [](const PendingChild& child) { reapNow(child.pid); });
    pendingChildren.erase(pendingChildren.begin(), firstWaiting);
    if (!pendingChildren.empty()) {
        const auto earliest = std::min_element(
            pendingChildren.begin(), pendingChildren.end(),
            [](const PendingChild& a, const PendingChild& b) { return a.due < b.due; });
        scheduleReap(earliest->due - now);
    }
}

} // namespace

void ChildReaper::reapLater(pid_t pid) {
    if (QCoreApplication::instance() == nullptr) {
        reapNow(pid);
        return;
    }
    pendingChildren.push_back({pid, Clock::now() + grace});
    if (reapScheduledOn.isNull()) {
        scheduleReap(grace);
    }
}

int ChildReaper::pendingCount() {
    return static_cast<int>(pendingChildren.size());
}
