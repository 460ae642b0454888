#pragma once

#include "AppState/MonitoringLifecycleController.h"
#include "UI/Popover/FlagBinding.h"

#include <memory>

// The popover's two monitoring preferences as flag bindings over the
// lifecycle controller: each reads the controller's published state and each
// write goes through the controller, which stores the preference and applies
// it to the running monitors.
namespace PopoverSettingsBindings {

// The dashboard's monitoring switch. A write stores "monitoringEnabled" (also
// when it equals the current state), then starts or stops monitoring.
FlagBinding monitoringEnabledBinding(std::shared_ptr<MonitoringLifecycleController> controller);

// The settings card's battery-friendly switch. A write stores
// "batteryFriendly", publishes it and applies the poll-interval rule at once.
FlagBinding batteryFriendlyBinding(std::shared_ptr<MonitoringLifecycleController> controller);

} // namespace PopoverSettingsBindings
