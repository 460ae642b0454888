#pragma once

#include <chrono>
#include <optional>

// Turns the tray's activation reports into one action per click. An XEmbed
// tray reports a double-click as a click and then a double-click; a
// StatusNotifier host may report each press of it as a click of its own. A
// double-click toggles once: a double-click report, and a click that follows
// an accepted one within the double-click interval, are its second half.
class StatusItemClickFilter {
public:
    enum class Report { click, doubleClick };
    using Clock = std::chrono::steady_clock;

    explicit StatusItemClickFilter(std::chrono::milliseconds doubleClickInterval)
        : doubleClickInterval_(doubleClickInterval) {}

    // Whether the report at `now` is a click to act on.
    bool accepts(Report report, Clock::time_point now);

private:
    std::chrono::milliseconds doubleClickInterval_;
    std::optional<Clock::time_point> lastAccepted_;
};
