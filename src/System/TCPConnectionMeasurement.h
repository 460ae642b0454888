#pragma once

#include "Core/DomainModels.h"

#include <optional>

// The machine's TCP connections by state; `counts` is present exactly when
// netstat's table was obtained.
struct TCPConnectionMeasurement {
    std::optional<TCPConnectionStateCounts> counts;
    bool didSucceed = false;

    bool operator==(const TCPConnectionMeasurement&) const = default;
};
