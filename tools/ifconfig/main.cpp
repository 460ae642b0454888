// /sbin/ifconfig: with no arguments, the BSD-shaped list of every interface.
#include "InterfaceInventory.h"
#include "Support/InterfaceListFormatter.h"
#include "Support/UsageExit.h"

#include <iostream>

int main(int argc, char** argv) {
    if (!tools::argumentsOf(argc, argv).empty()) {
        return tools::reportUsage("ifconfig");
    }
    std::cout << tools::formatInterfaceList(currentInterfaces());
    return 0;
}
