#pragma once

#include <QString>

// The accessibility bus a desktop names on the root window of Qt's X screen
// (its AT_SPI_BUS property), read as Qt's accessibility bridge reads it: the
// bridge joins that bus too wherever AT_SPI_BUS_ADDRESS is not set.
namespace RootWindowAccessibilityBus {

// Its address; empty where Qt is not on X or the root window names none.
QString address();

} // namespace RootWindowAccessibilityBus
