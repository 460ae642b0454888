// /sbin/ping6: "ping6 -c <count> <target>" through the host's iputils ping.
#include "Support/PingInvocation.h"
#include "Support/PingRelay.h"
#include "Support/UsageExit.h"

int main(int argc, char** argv) {
    const auto hostArguments = tools::hostPing6Arguments(tools::argumentsOf(argc, argv));
    if (!hostArguments) {
        return tools::reportUsage("ping6 -c count host");
    }
    return tools::relayHostPing(*hostArguments);
}
