// /sbin/ping: "ping -c <count> -W <milliseconds> <target>" through the host's iputils ping.
#include "Support/PingInvocation.h"
#include "Support/PingRelay.h"
#include "Support/UsageExit.h"

int main(int argc, char** argv) {
    const auto hostArguments = tools::hostPingArguments(tools::argumentsOf(argc, argv));
    if (!hostArguments) {
        return tools::reportUsage("ping -c count -W waittime host");
    }
    return tools::relayHostPing(*hostArguments);
}
