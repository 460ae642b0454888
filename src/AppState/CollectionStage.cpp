#include "AppState/CollectionStage.h"

namespace CollectionStages {

int rawValue(CollectionStage stage) {
    return static_cast<int>(stage);
}

std::optional<CollectionStage> fromRawValue(int rawValue) {
    if (rawValue < 0 || rawValue >= static_cast<int>(allCases.size())) {
        return std::nullopt;
    }
    return allCases[static_cast<std::size_t>(rawValue)];
}

QString title(CollectionStage stage) {
    switch (stage) {
    case CollectionStage::metrics:
        return QStringLiteral("Collecting metrics");
    case CollectionStage::wifi:
        return QStringLiteral("Collecting Wi-Fi metrics");
    case CollectionStage::latency:
        return QStringLiteral("Collecting latency metrics");
    case CollectionStage::channel:
        return QStringLiteral("Collecting channel info");
    case CollectionStage::speed:
        return QStringLiteral("Running speed test");
    case CollectionStage::finalize:
        return QStringLiteral("Finalizing report");
    }
    return {};
}

double startProgress(CollectionStage stage) {
    switch (stage) {
    case CollectionStage::metrics:
        return 0.06;
    case CollectionStage::wifi:
        return 0.20;
    case CollectionStage::latency:
        return 0.34;
    case CollectionStage::channel:
        return 0.54;
    case CollectionStage::speed:
        return 0.76;
    case CollectionStage::finalize:
        return 0.92;
    }
    return 0;
}

} // namespace CollectionStages
