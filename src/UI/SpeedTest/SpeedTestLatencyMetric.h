#pragma once

#include "UI/SpeedTest/SpeedTestCardSurface.h"
#include "UI/SpeedTest/SpeedTestLatencyCellContent.h"

class OneLineLabel;

// One cell of the latency panel: its caption over the value (20 pt bold,
// fixed-width digits), taking all the width its row gives it.
class SpeedTestLatencyMetric : public SpeedTestCardSurface {
    Q_OBJECT
public:
    explicit SpeedTestLatencyMetric(const SpeedTestLatencyCellContent& content,
                                    QWidget* parent = nullptr);

    const SpeedTestLatencyCellContent& content() const { return content_; }
    void setContent(const SpeedTestLatencyCellContent& content);

    OneLineLabel* valueLabel() const { return value_; }

private:
    SpeedTestLatencyCellContent content_;
    OneLineLabel* title_;
    OneLineLabel* value_;
};
