#include "UI/SpeedTest/SpeedTestBufferbloatPanel.h"

#include "UI/SpeedTest/SpeedTestGradeTile.h"
#include "UI/SpeedTest/SpeedTestInsightRow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SpeedTestBufferbloatPanel::SpeedTestBufferbloatPanel(QWidget* parent)
    : SpeedTestResultPanel(QStringLiteral("Bufferbloat"), parent) {
    auto* tileRow = new QHBoxLayout;
    tileRow->setSpacing(10);
    for (auto& tile : tiles_) {
        tile = new SpeedTestGradeTile({});
        tileRow->addWidget(tile, 1, Qt::AlignVCenter);
    }
    contentLayout()->addLayout(tileRow);
    auto* rows = new QVBoxLayout;
    rows->setSpacing(8);
    const std::array<QString, 2> symbols{QStringLiteral("arrow.down"), QStringLiteral("arrow.up")};
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        rows_[index] = new SpeedTestInsightRow({symbols[index], {}, {}});
        rows->addWidget(rows_[index]);
    }
    contentLayout()->addLayout(rows);
}

void SpeedTestBufferbloatPanel::setContent(const std::array<SpeedTestGradeTileContent, 2>& tiles,
                                           const std::array<SpeedTestInsightRowContent, 2>& rows) {
    for (std::size_t index = 0; index < tiles.size(); ++index) {
        tiles_[index]->setContent(tiles[index]);
        rows_[index]->setContent(rows[index]);
    }
}
