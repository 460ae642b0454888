#pragma once

#include "App/AppDelegate.h"

// The production environment with the application's own views: the popover's
// root view, the tool windows, the status icon and the settings window.
AppDelegate::Environment makeApplicationEnvironment();
