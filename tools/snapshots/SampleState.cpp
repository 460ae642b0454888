#include "SampleState.h"

QString sampleStateName(SampleState state) {
    switch (state) {
    case SampleState::good:
        return QStringLiteral("good");
    case SampleState::warning:
        return QStringLiteral("warning");
    case SampleState::poor:
        return QStringLiteral("poor");
    case SampleState::disconnected:
        return QStringLiteral("disconnected");
    case SampleState::monitoringOff:
        return QStringLiteral("monitoring-off");
    case SampleState::locationNotAuthorized:
        return QStringLiteral("location-not-authorized");
    case SampleState::captivePortal:
        return QStringLiteral("captive-portal");
    case SampleState::updateAvailable:
        return QStringLiteral("update-available");
    }
    return QStringLiteral("good");
}
