#pragma once

// Whether a network path can carry traffic. Linux knows no connection that
// has to be brought up on demand, so `requiresConnection` never occurs there.
enum class NetworkPathStatus { satisfied, unsatisfied, requiresConnection };
