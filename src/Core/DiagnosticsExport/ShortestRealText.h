#pragma once

#include <string>

// The shortest decimal text that reads back as exactly `value`, which must be finite. Plain
// digits from 1e-6 up to below 1e21 (20 for 20.0, 20.5 for 20.5, 0.000001), an exponent
// outside that range (1e+21, 1e-7); independent of every locale.
std::string shortestRealText(double value);
