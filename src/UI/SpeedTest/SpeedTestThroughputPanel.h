#pragma once

#include "UI/SpeedTest/SpeedTestMetricTileContent.h"
#include "UI/SpeedTest/SpeedTestResultPanel.h"

#include <array>

class SpeedTestMetricTile;

// "Throughput": the download and upload tiles side by side.
class SpeedTestThroughputPanel : public SpeedTestResultPanel {
    Q_OBJECT
public:
    explicit SpeedTestThroughputPanel(QWidget* parent = nullptr);

    void setContent(const std::array<SpeedTestMetricTileContent, 2>& tiles);
    const std::array<SpeedTestMetricTile*, 2>& tiles() const { return tiles_; }

private:
    std::array<SpeedTestMetricTile*, 2> tiles_{};
};
