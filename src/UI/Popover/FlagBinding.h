#pragma once

#include <functional>

// A two-way flag kept elsewhere: a switch reads it through `get` and writes
// the user's choice through `set`. It holds no value of its own, so the switch
// always shows what its owner reports.
struct FlagBinding {
    std::function<bool()> get;
    std::function<void(bool)> set;
};
