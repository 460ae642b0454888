#pragma once

#include <chrono>

#include <QString>

// The accessibility bus, which Qt's AT-SPI bridge joins when the application's
// event loop starts: at AT_SPI_BUS_ADDRESS, else where the session bus's
// org.a11y.Bus says. The bridge connects on the main thread and waits without
// end on a bus that stalls in its greeting (a stopped daemon).
namespace AccessibilityBus {

// Where the bridge would find the bus; empty where there is none. Asks a
// running org.a11y.Bus only (never starts one), waiting up to `bound`.
QString address(std::chrono::milliseconds bound);

// Where the bus does not answer within the probe's bound, points the bridge
// at an address that fails at once, so that Pelmor runs without it: the
// address given, empty where the bus answers or there is none. Call once the
// Qt application exists, before its event loop starts.
QString keepTheBridgeOffASilentBus();

} // namespace AccessibilityBus
