#pragma once

#include <chrono>

using Date = std::chrono::system_clock::time_point;
