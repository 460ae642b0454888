#pragma once

// What the window's one action button does when clicked.
enum class SpeedTestAction { start, cancel };
