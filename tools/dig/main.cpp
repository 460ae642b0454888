// /usr/bin/dig: "dig +time=<seconds> +tries=1 <name>" handed to the host's dig, whose output
// (with its ";; Query time: <n> msec" line) and exit status are already what is expected.
#include "Support/DigInvocation.h"
#include "Support/UsageExit.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sysexits.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (!tools::isDigInvocation(tools::argumentsOf(argc, argv))) {
        return tools::reportUsage("dig +time=seconds +tries=1 name");
    }
    static const char hostDig[] = "/usr/bin/dig";
    argv[0] = const_cast<char*>(hostDig);
    execv(hostDig, argv);
    std::cerr << "dig: cannot run " << hostDig << ": " << std::strerror(errno) << '\n';
    return EX_UNAVAILABLE;
}
