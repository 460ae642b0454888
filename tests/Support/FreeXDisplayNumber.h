#pragma once

// A display number no X server on this machine uses: no socket file in the
// machine-wide X socket folder, no lock file, no abstract socket bound. A
// fake server there never stands in the way of a real one.
int freeXDisplayNumber();
