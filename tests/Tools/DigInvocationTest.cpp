#include "Support/DigInvocation.h"

#include <gtest/gtest.h>

using tools::isDigInvocation;
using Arguments = std::vector<std::string>;

TEST(DigInvocationTest, AcceptsTheTimedSingleTryLookupOfAName) {
    EXPECT_TRUE(isDigInvocation({"+time=2", "+tries=1", "apple.com"}));
    EXPECT_TRUE(isDigInvocation({"+time=1", "+tries=1", "localhost"}));
    EXPECT_TRUE(isDigInvocation({"+time=30", "+tries=1", "xn--bcher-kva.example"}));
}

TEST(DigInvocationTest, RefusesEveryOtherShape) {
    const std::vector<Arguments> refused{
        {},
        {"apple.com"},
        {"+time=2", "apple.com"},
        {"+tries=1", "+time=2", "apple.com"},
        {"+time=0", "+tries=1", "apple.com"},
        {"+time=", "+tries=1", "apple.com"},
        {"+time=1.5", "+tries=1", "apple.com"},
        {"+time=2", "+tries=2", "apple.com"},
        {"+time=2", "+tries=1", "@127.0.0.1"},
        {"+time=2", "+tries=1", "-x"},
        {"+time=2", "+tries=1", "+short"},
        {"+time=2", "+tries=1", ""},
        {"+time=2", "+tries=1", "apple.com", "@127.0.0.1"},
    };
    for (const auto& arguments : refused) {
        EXPECT_FALSE(isDigInvocation(arguments)) << testing::PrintToString(arguments);
    }
}
