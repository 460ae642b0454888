#pragma once

namespace tools {

// BSD ping's exit status for an iputils ping's: iputils exits 1 when no reply came, where BSD
// ping exits 2; 0 (a reply came) and the error statuses are kept.
int bsdPingExitStatus(int iputilsExitStatus);

} // namespace tools
