#pragma once

#include "UI/FlagBinding.h"

#include <QWidget>

class OneLineLabel;
class SwitchToggle;

// The dashboard's monitoring switch, its "Enabled" label and a capsule that
// reads "Monitoring" or "Paused". The switch writes the binding and then
// shows what the binding reports.
class MonitoringSwitchRow : public QWidget {
    Q_OBJECT
public:
    explicit MonitoringSwitchRow(FlagBinding binding, QWidget* parent = nullptr);

    // The switch position and the capsule text to show.
    void setState(bool isMonitoringEnabled, const QString& capsuleText);

    SwitchToggle* toggle() const { return toggle_; }
    QString capsuleText() const;

private:
    FlagBinding binding_;
    SwitchToggle* toggle_;
    OneLineLabel* capsuleLabel_;
};
