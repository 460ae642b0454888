#include "Platform/AppKit/Tray/StatusItemClickFilter.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Report = StatusItemClickFilter::Report;
using std::chrono::milliseconds;

struct Event {
    Report report;
    int atMilliseconds;
};

std::vector<bool> accepted(const std::vector<Event>& events) {
    StatusItemClickFilter filter(milliseconds(400));
    const auto start = StatusItemClickFilter::Clock::time_point() + std::chrono::hours(1);
    std::vector<bool> results;
    for (const auto& event : events) {
        results.push_back(filter.accepts(event.report, start + milliseconds(event.atMilliseconds)));
    }
    return results;
}

} // namespace

TEST(StatusItemClickFilterTest, ADoubleClickActsOnceAndSeparateClicksEachAct) {
    struct Case {
        const char* name;
        std::vector<Event> events;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"one click", {{Report::click, 0}}, {true}},
        {"XEmbed double-click: a click, then a double-click",
         {{Report::click, 0}, {Report::doubleClick, 150}},
         {true, false}},
        {"a host that reports each press as a click",
         {{Report::click, 0}, {Report::click, 150}},
         {true, false}},
        {"two clicks a second apart", {{Report::click, 0}, {Report::click, 1000}}, {true, true}},
        {"two double-clicks a second apart",
         {{Report::click, 0},
          {Report::doubleClick, 150},
          {Report::click, 1000},
          {Report::doubleClick, 1150}},
         {true, false, true, false}},
        {"a click just past the interval",
         {{Report::click, 0}, {Report::click, 400}},
         {true, true}},
        {"a lone double-click report", {{Report::doubleClick, 0}}, {false}},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(accepted(testCase.events), testCase.expected) << testCase.name;
    }
}
