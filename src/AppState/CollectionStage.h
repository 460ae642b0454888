#pragma once

#include <array>
#include <optional>

#include <QString>

// The six visible stages of one diagnostics export, in the order they run.
enum class CollectionStage { metrics = 0, wifi, latency, channel, speed, finalize };

namespace CollectionStages {

inline constexpr std::array<CollectionStage, 6> allCases{
    CollectionStage::metrics, CollectionStage::wifi,  CollectionStage::latency,
    CollectionStage::channel, CollectionStage::speed, CollectionStage::finalize};

int rawValue(CollectionStage stage);
// The stage of a raw value from 0 to 5; none for any other.
std::optional<CollectionStage> fromRawValue(int rawValue);
// The stage's title as the progress list shows it, without a trailing "...".
QString title(CollectionStage stage);
// The progress value set when the stage starts.
double startProgress(CollectionStage stage);

} // namespace CollectionStages
