#include "Support/IpconfigInvocation.h"

#include <net/if.h>

namespace tools {

namespace {

bool isInterfaceName(const std::string& text) {
    return !text.empty() && text.size() < IFNAMSIZ && text.find('/') == std::string::npos;
}

} // namespace

std::optional<IpconfigQuery> ipconfigQueryFor(const std::vector<std::string>& arguments) {
    if (arguments.size() == 2 && arguments[0] == "getifaddr" && isInterfaceName(arguments[1])) {
        return IpconfigQuery{IpconfigQuery::Kind::interfaceAddress, arguments[1]};
    }
    if (arguments.size() == 3 && arguments[0] == "getoption" && isInterfaceName(arguments[1]) &&
        arguments[2] == "router") {
        return IpconfigQuery{IpconfigQuery::Kind::router, arguments[1]};
    }
    return std::nullopt;
}

} // namespace tools
