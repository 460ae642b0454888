#include "UI/Popover/PopoverSettingsBindings.h"

namespace PopoverSettingsBindings {

FlagBinding monitoringEnabledBinding(std::shared_ptr<MonitoringLifecycleController> controller) {
    return {[controller] { return controller->isMonitoringEnabled().value(); },
            [controller](bool enabled) { controller->setMonitoringEnabled(enabled); }};
}

FlagBinding batteryFriendlyBinding(std::shared_ptr<MonitoringLifecycleController> controller) {
    return {[controller] { return controller->isBatteryFriendly().value(); },
            [controller](bool enabled) { controller->setBatteryFriendly(enabled); }};
}

} // namespace PopoverSettingsBindings
