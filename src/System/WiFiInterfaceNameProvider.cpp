#include "System/WiFiInterfaceNameProvider.h"

WiFiInterfaceNameProvider wifiClientInterfaceNameProvider(std::shared_ptr<WiFiClient> client) {
    return [client = std::move(client)]() -> std::optional<QString> {
        const auto interface = client->currentInterface();
        return interface ? interface->interfaceName : std::nullopt;
    };
}
