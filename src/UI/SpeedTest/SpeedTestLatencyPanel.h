#pragma once

#include "UI/SpeedTest/SpeedTestLatencyCellContent.h"
#include "UI/SpeedTest/SpeedTestResultPanel.h"

#include <array>

class SpeedTestLatencyMetric;

// "Latency": the baseline and the two loaded latencies side by side.
class SpeedTestLatencyPanel : public SpeedTestResultPanel {
    Q_OBJECT
public:
    explicit SpeedTestLatencyPanel(QWidget* parent = nullptr);

    void setContent(const std::array<SpeedTestLatencyCellContent, 3>& cells);
    const std::array<SpeedTestLatencyMetric*, 3>& cells() const { return cells_; }

private:
    std::array<SpeedTestLatencyMetric*, 3> cells_{};
};
