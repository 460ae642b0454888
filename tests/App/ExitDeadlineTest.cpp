#include "App/ExitDeadline.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using std::chrono::milliseconds;

// Past its due time the deadline ends the process with its status, after its
// last step; a pause for a step with a bound of its own moves the due time
// later by as long as the step took, up to its bound, and no more; a deadline
// destroyed in time ends nothing; a status set on the way is the one it ends with.
TEST(ExitDeadlineTest, EndsTheProcessOnlyPastItsDueTime) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* name;
        milliseconds stepBound;
        milliseconds step;
        milliseconds afterStep;
        int expectedStatus;
        int statusSetOnTheWay = 3;
    };
    const Case cases[] = {
        {"past its due time", milliseconds(0), milliseconds(0), milliseconds(400), 3},
        {"within a step's bound", milliseconds(1000), milliseconds(400), milliseconds(0), 0},
        {"past a step's bound", milliseconds(200), milliseconds(800), milliseconds(0), 3},
        {"past its due time after a short step", milliseconds(600), milliseconds(50),
         milliseconds(400), 3},
        {"past its due time, its status set on the way", milliseconds(0), milliseconds(0),
         milliseconds(400), 4, 4},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EXIT(
            {
                {
                    ExitDeadline deadline(milliseconds(200), 3,
                                          [] { ::write(STDERR_FILENO, "last step", 9); });
                    deadline.setStatus(testCase.statusSetOnTheWay);
                    {
                        const ExitDeadline::Pause pause(deadline, testCase.stepBound);
                        std::this_thread::sleep_for(testCase.step);
                    }
                    std::this_thread::sleep_for(testCase.afterStep);
                }
                std::_Exit(0);
            },
            testing::ExitedWithCode(testCase.expectedStatus),
            testCase.expectedStatus == 0 ? "" : "last step");
    }
}
