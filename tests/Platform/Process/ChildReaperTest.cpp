#include "Platform/Process/ChildReaper.h"

#include "Support/EventLoopWait.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A child of this process that runs `program` and `argument`.
pid_t startedChild(const char* program, const char* argument = nullptr) {
    pid_t pid = 0;
    char* const arguments[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    if (::posix_spawn(&pid, program, nullptr, nullptr, arguments, environ) != 0) {
        return -1;
    }
    return pid;
}

// A child of this process that has ended and is left unreaped.
pid_t endedChild() {
    const pid_t pid = startedChild("/bin/true");
    if (pid < 0) {
        return -1;
    }
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    return pid;
}

bool isReaped(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0;
}

void pumpFor(milliseconds duration) {
    const Clock::time_point end = Clock::now() + duration;
    processEventsUntil([end] { return Clock::now() >= end; });
}

} // namespace

// Each child is reaped, and none before its own grace has passed, also when
// a second one is handed over while the first waits.
TEST(ChildReaperTest, ReapsEachChildOnceItsGraceHasPassed) {
    struct Case {
        const char* name;
        std::vector<milliseconds> handOverOffsets;
    };
    const std::vector<Case> cases = {
        {"one child", {milliseconds(0)}},
        {"two together", {milliseconds(0), milliseconds(0)}},
        {"the second while the first waits", {milliseconds(0), milliseconds(30)}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const Clock::time_point start = Clock::now();
        std::vector<pid_t> children;
        std::vector<Clock::time_point> handedOver;
        std::vector<std::optional<Clock::time_point>> reapedAt(testCase.handOverOffsets.size());
        for (const milliseconds offset : testCase.handOverOffsets) {
            pumpFor(offset - std::chrono::duration_cast<milliseconds>(Clock::now() - start));
            const pid_t child = endedChild();
            ASSERT_GT(child, 0);
            ChildReaper::reapLater(child);
            children.push_back(child);
            handedOver.push_back(Clock::now());
            EXPECT_FALSE(isReaped(child));
        }
        ASSERT_TRUE(processEventsUntil([&] {
            for (std::size_t index = 0; index < children.size(); ++index) {
                if (!reapedAt[index] && isReaped(children[index])) {
                    reapedAt[index] = Clock::now();
                }
            }
            return std::all_of(reapedAt.begin(), reapedAt.end(),
                               [](const auto& time) { return time.has_value(); });
        }));
        for (std::size_t index = 0; index < children.size(); ++index) {
            EXPECT_GE(*reapedAt[index] - handedOver[index], ChildReaper::grace) << index;
        }
        EXPECT_EQ(ChildReaper::pendingCount(), 0);
    }
}

// A steady stream of children costs no wake-up of its own: those whose grace
// has passed go when the next one comes, the rest once none has come for a
// while.
TEST(ChildReaperTest, AHandOverReapsTheChildrenWhoseGraceHasPassed) {
    const pid_t first = endedChild();
    ASSERT_GT(first, 0);
    ChildReaper::reapLater(first);
    pumpFor(ChildReaper::grace + milliseconds(30));
    ASSERT_LT(ChildReaper::grace + milliseconds(30), ChildReaper::idleDelay);
    EXPECT_FALSE(isReaped(first)) << "nothing wakes up for it alone before the idle delay";
    const pid_t second = endedChild();
    ASSERT_GT(second, 0);
    ChildReaper::reapLater(second);
    EXPECT_TRUE(isReaped(first));
    EXPECT_FALSE(isReaped(second));
    EXPECT_TRUE(processEventsUntil([&] { return isReaped(second); }));
}

// A child handed over before it has ended (killed, and slow to end) is tried
// again until it has ended, and never waited for.
TEST(ChildReaperTest, AChildHandedOverWhileItRunsIsReapedOnceItHasEnded) {
    ASSERT_LT(ChildReaper::idleDelay, milliseconds(1'500)) << "the child ends before the first try";
    const pid_t child = startedChild("/bin/sleep", "1.5");
    ASSERT_GT(child, 0);
    ChildReaper::reapLater(child);
    EXPECT_TRUE(processEventsUntil([&] { return isReaped(child); }, 4'000));
    EXPECT_EQ(ChildReaper::pendingCount(), 0);
}
