#include "Core/DiagnosticsExport/ISO8601InstantText.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>
#include <vector>

#include <QByteArray>
#include <QString>

using namespace std::chrono_literals;

TEST(ISO8601InstantTextTest, WritesUTCToWholeSecondsFlooredInEveryTimeZone) {
    struct Case {
        Date instant;
        const char* expected;
    };
    const std::vector<Case> cases{
        {Date{}, "1970-01-01T00:00:00Z"},
        {Date{} + 1'772'600'767s, "2026-03-04T05:06:07Z"},
        {Date{} + 1'772'600'767s + 999'999'999ns, "2026-03-04T05:06:07Z"},
        {Date{} + 951'868'799s + 500ms, "2000-02-29T23:59:59Z"},
        {Date{} - 500ms, "1969-12-31T23:59:59Z"},
        {Date{} - 1ns, "1969-12-31T23:59:59Z"},
        {Date{} - 1s, "1969-12-31T23:59:59Z"},
        {Date{} - 1s - 1ns, "1969-12-31T23:59:58Z"},
        {Date{} - 86'400s * 365 - 1500ms, "1968-12-31T23:59:58Z"},
        {Date{} + 1s - 1ns, "1970-01-01T00:00:00Z"},
    };
    for (const char* zone : {"UTC", "Asia/Kolkata", "America/Los_Angeles"}) {
        const ScopedEnvironmentVariable timeZone("TZ", QByteArray(zone));
        tzset();
        for (const Case& testCase : cases) {
            SCOPED_TRACE(std::string(zone) + " " + testCase.expected);
            EXPECT_EQ(iso8601InstantText(testCase.instant), QString::fromLatin1(testCase.expected));
        }
    }
    tzset();
}
