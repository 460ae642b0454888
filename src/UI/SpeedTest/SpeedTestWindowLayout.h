#pragma once

// Which of its two layouts the Speed Test window shows: the header over the
// result panels with a footer, or the header over the centred empty-state text.
enum class SpeedTestWindowLayout { results, empty };
