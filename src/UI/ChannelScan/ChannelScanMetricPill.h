#pragma once

#include "UI/Ground/Capsule.h"

class OneLineLabel;

// A figure of the scan on a faint capsule: its title, then its value in
// monospaced digits.
class ChannelScanMetricPill : public Capsule {
    Q_OBJECT
public:
    ChannelScanMetricPill(const QString& title, const QString& value, QWidget* parent = nullptr);

    QString title() const;
    QString value() const;
    void setValue(const QString& value);

private:
    OneLineLabel* title_;
    OneLineLabel* value_;
};
