#pragma once

#include <QString>

// The accessibility bus, which Qt's AT-SPI bridge joins as the application
// starts: the one AT_SPI_BUS_ADDRESS names, and that alone; else the one the
// session bus's launcher (org.a11y.Bus) names and the one the root window
// names. The bridge asks the launcher on the main thread with calls that each
// wait up to 25 s, and joins a bus there, waiting without end on one that
// stalls in its greeting (a stopped daemon).
namespace AccessibilityBus {

// Where the launcher does not answer, or a bus the bridge would join does not
// answer within the probe's bound, points the bridge at an address that fails
// at once, so that Pelmor runs without it: what did not answer ("the
// accessibility bus at ..."), empty where all answered or there is none.
// `rootWindowAddress` is the bus the root window names, empty for none. Call
// once the Qt application exists, before its event loop starts.
QString keepTheBridgeOffASilentBus(const QString& rootWindowAddress);

} // namespace AccessibilityBus
