#include "Support/PingExitStatus.h"

namespace tools {

int bsdPingExitStatus(int iputilsExitStatus) {
    constexpr int iputilsNoReply = 1;
    constexpr int bsdNoReply = 2;
    return iputilsExitStatus == iputilsNoReply ? bsdNoReply : iputilsExitStatus;
}

} // namespace tools
