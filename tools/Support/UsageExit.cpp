#include "Support/UsageExit.h"

#include <iostream>

namespace tools {

int reportUsage(std::string_view synopsis) {
    std::cerr << "usage: " << synopsis << '\n';
    return usageExitStatus;
}

std::vector<std::string> argumentsOf(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index) {
        arguments.emplace_back(argv[index]);
    }
    return arguments;
}

} // namespace tools
