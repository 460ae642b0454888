#pragma once

#include "Platform/CoreWLAN/WiFiClient.h"

#include <functional>
#include <memory>
#include <optional>

#include <QString>

// Gives the name of the Wi-Fi interface, or none.
using WiFiInterfaceNameProvider = std::function<std::optional<QString>()>;

// Asks the Wi-Fi client for its current interface's name.
WiFiInterfaceNameProvider
wifiClientInterfaceNameProvider(std::shared_ptr<WiFiClient> client = WiFiClient::shared());
