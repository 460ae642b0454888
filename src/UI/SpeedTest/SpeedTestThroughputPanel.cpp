#include "UI/SpeedTest/SpeedTestThroughputPanel.h"

#include "UI/SpeedTest/SpeedTestMetricTile.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SpeedTestThroughputPanel::SpeedTestThroughputPanel(QWidget* parent)
    : SpeedTestResultPanel(QStringLiteral("Throughput"), parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    for (auto& tile : tiles_) {
        tile = new SpeedTestMetricTile({});
        row->addWidget(tile, 1, Qt::AlignVCenter);
    }
    contentLayout()->addLayout(row);
}

void SpeedTestThroughputPanel::setContent(const std::array<SpeedTestMetricTileContent, 2>& tiles) {
    for (std::size_t index = 0; index < tiles.size(); ++index) {
        tiles_[index]->setContent(tiles[index]);
    }
}
