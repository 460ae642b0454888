#pragma once

#include "UI/Popover/FlagBinding.h"

#include <QWidget>

class OneLineLabel;
class SpringFadeIn;
class SwitchToggle;

// The dashboard's monitoring switch, its "Enabled" label and a capsule that
// reads "Monitoring" or "Paused". The switch writes the binding and then
// shows what the binding reports. While shown, a change is carried along the
// state-change spring: the knob slides and the capsule's new text fades in.
class MonitoringSwitchRow : public QWidget {
    Q_OBJECT
public:
    explicit MonitoringSwitchRow(FlagBinding binding, QWidget* parent = nullptr);

    // The switch position and the capsule text to show.
    void setState(bool isMonitoringEnabled, const QString& capsuleText);

    SwitchToggle* toggle() const { return toggle_; }
    QString capsuleText() const;
    bool isCapsuleFading() const;

private:
    FlagBinding binding_;
    SwitchToggle* toggle_;
    OneLineLabel* capsuleLabel_;
    SpringFadeIn* capsuleFade_;
};
