#include "UI/SpeedTest/SpeedTestLatencyPanel.h"

#include "UI/SpeedTest/SpeedTestLatencyMetric.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SpeedTestLatencyPanel::SpeedTestLatencyPanel(QWidget* parent)
    : SpeedTestResultPanel(QStringLiteral("Latency"), parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    for (auto& cell : cells_) {
        cell = new SpeedTestLatencyMetric({});
        row->addWidget(cell, 1, Qt::AlignVCenter);
    }
    contentLayout()->addLayout(row);
}

void SpeedTestLatencyPanel::setContent(const std::array<SpeedTestLatencyCellContent, 3>& cells) {
    for (std::size_t index = 0; index < cells.size(); ++index) {
        cells_[index]->setContent(cells[index]);
    }
}
