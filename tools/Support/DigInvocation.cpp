#include "Support/DigInvocation.h"

#include "Support/NumberText.h"

#include <string_view>

namespace tools {

namespace {

bool isTimeOption(std::string_view argument) {
    constexpr std::string_view prefix = "+time=";
    if (!argument.starts_with(prefix)) {
        return false;
    }
    const auto seconds = parseDecimal(argument.substr(prefix.size()));
    return seconds && *seconds >= 1;
}

bool isQueryName(std::string_view argument) {
    constexpr std::string_view optionOrServerMarks = "-+@";
    return !argument.empty() &&
           optionOrServerMarks.find(argument.front()) == std::string_view::npos;
}

} // namespace

bool isDigInvocation(const std::vector<std::string>& arguments) {
    return arguments.size() == 3 && isTimeOption(arguments[0]) && arguments[1] == "+tries=1" &&
           isQueryName(arguments[2]);
}

} // namespace tools
