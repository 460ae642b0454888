#include "Core/DiagnosticsExport/ShortestRealText.h"

#include "Support/ScopedCompiledLocale.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

double readBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    return value;
}

} // namespace

TEST(ShortestRealTextTest, WritesWholeRealsWithoutFractionAndOthersShortest) {
    struct Case {
        double value;
        std::string expected;
    };
    const std::vector<Case> cases{
        {20.0, "20"},
        {20.5, "20.5"},
        {0.0, "0"},
        {-0.0, "-0"},
        {-61.25, "-61.25"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1'000'000.0, "1000000"},
        {123456789012.5, "123456789012.5"},
        {1e20, "100000000000000000000"},
        {1e21, "1e+21"},
        {0.000001, "0.000001"},
        {0.0000012, "0.0000012"},
        {1e-7, "1e-7"},
        {1.5e-10, "1.5e-10"},
        {-2.5e300, "-2.5e+300"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.expected);
        EXPECT_EQ(shortestRealText(testCase.value), testCase.expected);
    }
}

TEST(ShortestRealTextTest, ReadsBackAsTheSameValue) {
    std::mt19937_64 generator(15);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int sample = 0; sample < 20'000; ++sample) {
        const double value = std::bit_cast<double>(bits(generator));
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string text = shortestRealText(value);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(readBack(text)), std::bit_cast<std::uint64_t>(value))
            << text;
    }
}

TEST(ShortestRealTextTest, UsesAPointInAGermanLocale) {
    const ScopedCompiledLocale german("de_DE");
    ASSERT_TRUE(german.isActive()) << "the de_DE locale could not be compiled";
    EXPECT_EQ(shortestRealText(1234.5), "1234.5");
    EXPECT_EQ(shortestRealText(0.25), "0.25");
}
