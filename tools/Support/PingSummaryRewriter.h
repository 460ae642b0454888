#pragma once

#include <string>
#include <string_view>

namespace tools {

// Rewrites one line of iputils ping output into the BSD ping shape; every other line is kept.
//
//   "2 packets transmitted, 1 received, +1 duplicates, +1 errors, 50% packet loss, time 1001ms"
//     becomes "2 packets transmitted, 1 packets received, +1 duplicates, 50.0% packet loss"
//   "rtt min/avg/max/mdev = 0.039/0.069/0.099/0.030 ms, pipe 2"
//     becomes "round-trip min/avg/max/stddev = 0.039/0.069/0.099/0.030 ms"
//
// The loss is recomputed from the counts with one decimal, as BSD ping prints it; error counts
// have no BSD counterpart and are dropped. iputils' mdev is the population standard deviation of
// the round-trip times, the same figure BSD ping calls stddev.
std::string rewritePingOutputLine(std::string_view line);

} // namespace tools
