#pragma once

#include "Support/NetworkInterface.h"

#include <vector>

// Every interface of the system in index order, with its flags, MTU and addresses
// (if_nameindex, SIOCGIFFLAGS, SIOCGIFMTU, getifaddrs).
std::vector<tools::NetworkInterface> currentInterfaces();
