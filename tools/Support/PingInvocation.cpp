#include "Support/PingInvocation.h"

#include "Support/NumberText.h"

namespace tools {

namespace {

bool isPositiveWholeNumber(const std::string& text) {
    const auto value = parseDecimal(text);
    return value && *value >= 1;
}

bool isTarget(const std::string& text) {
    return !text.empty() && text.front() != '-';
}

// 1500 gives "1.5", 1 gives "0.001", 2000 gives "2".
std::string secondsText(std::uint64_t milliseconds) {
    auto text = std::to_string(milliseconds / 1000);
    const auto fraction = milliseconds % 1000;
    if (fraction == 0) {
        return text;
    }
    auto digits = std::to_string(1000 + fraction).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + '.' + digits;
}

} // namespace

std::optional<std::vector<std::string>>
hostPingArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() != 5 || arguments[0] != "-c" || !isPositiveWholeNumber(arguments[1]) ||
        arguments[2] != "-W" || !isPositiveWholeNumber(arguments[3]) || !isTarget(arguments[4])) {
        return std::nullopt;
    }
    const auto waitMilliseconds = *parseDecimal(arguments[3]);
    return std::vector<std::string>{
        "-4", "-n", "-c", arguments[1], "-W", secondsText(waitMilliseconds), arguments[4]};
}

std::optional<std::vector<std::string>>
hostPing6Arguments(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3 || arguments[0] != "-c" || !isPositiveWholeNumber(arguments[1]) ||
        !isTarget(arguments[2])) {
        return std::nullopt;
    }
    return std::vector<std::string>{"-6", "-n", "-c", arguments[1], arguments[2]};
}

} // namespace tools
