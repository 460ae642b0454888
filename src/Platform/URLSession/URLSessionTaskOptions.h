#pragma once

#include <cstdint>
#include <optional>

// How the URL session runs one request, beyond what the request itself says.
struct URLSessionTaskOptions {
    enum class BodyHandling {
        // The body's bytes are handed back (up to `maximumBodyBytes`).
        keep,
        // Only the number of body bytes is handed back; the bytes are read and dropped.
        countOnly,
    };

    // When false, a 3xx answer ends the request as it is, headers and body included.
    bool followsRedirects = true;
    BodyHandling bodyHandling = BodyHandling::keep;
    // With `keep`: the most bytes kept; once more arrive the transfer is ended
    // and the answer handed back with the first `maximumBodyBytes` bytes.
    std::optional<std::int64_t> maximumBodyBytes;
    // Seconds from the start after which the request fails with `timedOut`,
    // however steadily data still flows; none sets no limit.
    std::optional<double> resourceTimeout;
};
