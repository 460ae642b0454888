#include "Core/DiagnosticsExport/ShortestRealText.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace {

// The shortest round-trip digits without a decimal point, and the decimal exponent of the first
// one: the value is 0.d1d2d3... times ten to the power of `pointPosition`.
struct ShortestDigits {
    bool isNegative;
    std::string digits;
    int pointPosition;
};

ShortestDigits shortestDigits(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));

    ShortestDigits shortest{
        .isNegative = scientific.front() == '-', .digits = {}, .pointPosition = 0};
    const std::size_t exponentMark = scientific.find('e');
    for (const char character : scientific.substr(0, exponentMark)) {
        if (character >= '0' && character <= '9') {
            shortest.digits.push_back(character);
        }
    }
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(exponentMark + 1);
    const char* exponentStart = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(exponentStart, exponentText.data() + exponentText.size(), exponent);
    shortest.pointPosition = exponent + 1;
    return shortest;
}

std::string exponentForm(const ShortestDigits& shortest) {
    std::string text(1, shortest.digits.front());
    if (shortest.digits.size() > 1) {
        text += '.';
        text += shortest.digits.substr(1);
    }
    const int exponent = shortest.pointPosition - 1;
    text += exponent < 0 ? "e-" : "e+";
    text += std::to_string(std::abs(exponent));
    return text;
}

std::string plainForm(const ShortestDigits& shortest) {
    const int digitCount = static_cast<int>(shortest.digits.size());
    const int point = shortest.pointPosition;
    if (point >= digitCount) {
        return shortest.digits + std::string(static_cast<std::size_t>(point - digitCount), '0');
    }
    if (point > 0) {
        return shortest.digits.substr(0, static_cast<std::size_t>(point)) + '.' +
               shortest.digits.substr(static_cast<std::size_t>(point));
    }
    return "0." + std::string(static_cast<std::size_t>(-point), '0') + shortest.digits;
}

} // namespace

std::string shortestRealText(double value) {
    const ShortestDigits shortest = shortestDigits(value);
    const bool isPlain = shortest.pointPosition > -6 && shortest.pointPosition <= 21;
    const std::string magnitude = isPlain ? plainForm(shortest) : exponentForm(shortest);
    return shortest.isNegative ? "-" + magnitude : magnitude;
}
