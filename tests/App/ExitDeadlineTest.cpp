#include "App/ExitDeadline.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using std::chrono::milliseconds;

// Past its due time the deadline ends the process with its status, after its
// last step; an extension moves the due time later, and a deadline destroyed
// in time ends nothing.
TEST(ExitDeadlineTest, EndsTheProcessOnlyPastItsDueTime) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* name;
        milliseconds extension;
        milliseconds teardown;
        int expectedStatus;
    };
    const Case cases[] = {
        {"past its due time", milliseconds(0), milliseconds(400), 3},
        {"within its extension", milliseconds(600), milliseconds(400), 0},
        {"past its extension", milliseconds(200), milliseconds(800), 3},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EXIT(
            {
                {
                    ExitDeadline deadline(milliseconds(200), 3,
                                          [] { ::write(STDERR_FILENO, "last step", 9); });
                    deadline.extendBy(testCase.extension);
                    std::this_thread::sleep_for(testCase.teardown);
                }
                std::_Exit(0);
            },
            testing::ExitedWithCode(testCase.expectedStatus),
            testCase.expectedStatus == 0 ? "" : "last step");
    }
}
