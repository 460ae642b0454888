#pragma once

#include "UI/SpeedTest/SpeedTestGradeTileContent.h"
#include "UI/SpeedTest/SpeedTestInsightRowContent.h"
#include "UI/SpeedTest/SpeedTestResultPanel.h"

#include <array>

class SpeedTestGradeTile;
class SpeedTestInsightRow;

// "Bufferbloat": the two grade tiles side by side over the two insight rows.
class SpeedTestBufferbloatPanel : public SpeedTestResultPanel {
    Q_OBJECT
public:
    explicit SpeedTestBufferbloatPanel(QWidget* parent = nullptr);

    void setContent(const std::array<SpeedTestGradeTileContent, 2>& tiles,
                    const std::array<SpeedTestInsightRowContent, 2>& rows);
    const std::array<SpeedTestGradeTile*, 2>& gradeTiles() const { return tiles_; }
    const std::array<SpeedTestInsightRow*, 2>& insightRows() const { return rows_; }

private:
    std::array<SpeedTestGradeTile*, 2> tiles_{};
    std::array<SpeedTestInsightRow*, 2> rows_{};
};
