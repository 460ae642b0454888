#pragma once

#include "Snapshot.h"

#include <QImage>

// Renders a snapshot's view offscreen over the popover's background, with a
// margin of background around it, at `scale` device pixels per point.
namespace SnapshotRenderer {

inline constexpr int margin = 12;

QImage render(const Snapshot& snapshot, double scale);

} // namespace SnapshotRenderer
