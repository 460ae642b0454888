#pragma once

#include "Monitors/AdaptiveMonitoringControlling.h"

#include <vector>

#include <QString>
#include <QStringList>

// A polled monitor as the lifecycle controller drives it: every operation is
// written, with the monitor's name, to a log shared with other fakes.
class RecordingMonitorControl final : public AdaptiveMonitoringControlling {
public:
    RecordingMonitorControl(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}

    double pollInterval = -1;

    void start() override { log_.append(name_ + QStringLiteral(" start")); }
    void stop() override { log_.append(name_ + QStringLiteral(" stop")); }
    void setPollInterval(double seconds) override {
        pollInterval = seconds;
        log_.append(name_ + QStringLiteral(" interval %1").arg(seconds));
    }
    void resetTransientState() override { log_.append(name_ + QStringLiteral(" reset")); }

private:
    QString name_;
    QStringList& log_;
};
