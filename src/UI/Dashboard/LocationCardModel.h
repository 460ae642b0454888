#pragma once

#include "AppState/LocationPermissionController.h"
#include "UI/Dashboard/LocationCardContent.h"

// The location card's text and button for each permission status, and what
// the button does.
namespace LocationCardModel {

LocationCardContent content(LocationPermissionStatus status);

// Reads the status again when pressed: denied or restricted opens the
// location settings; not determined asks for permission (which the controller
// does only while still undecided); authorized does nothing.
void performButtonAction(LocationPermissionController& controller);

} // namespace LocationCardModel
