#include "UI/DiagnosticsExport/DiagnosticsExportProgressPanel.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/DiagnosticsExport/DiagnosticsStageRow.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/ProgressCapsule.h"
#include "UI/Ground/SystemFont.h"

#include <QVBoxLayout>

DiagnosticsExportProgressPanel::DiagnosticsExportProgressPanel(QWidget* parent)
    : QWidget(parent), message_(new OneLineLabel(QString(), SystemFont::font(14, QFont::DemiBold),
                                                 DiagnosticsExportTheme::primaryText())),
      bar_(new ProgressCapsule(withOpacity(NamedColors::white, 0.12),
                               DiagnosticsExportTheme::accent())) {
    bar_->setFixedWidth(barWidth);
    auto* block = new QWidget;
    auto* blockLayout = new QVBoxLayout(block);
    blockLayout->setContentsMargins(0, 0, 0, 0);
    blockLayout->setSpacing(12);
    blockLayout->addWidget(message_, 0, Qt::AlignHCenter);
    blockLayout->addWidget(bar_, 0, Qt::AlignHCenter);
    blockLayout->addWidget(makeStageList(), 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    layout->addStretch(1);
    layout->addWidget(block, 0, Qt::AlignHCenter);
    layout->addStretch(1);
}

QWidget* DiagnosticsExportProgressPanel::makeStageList() {
    auto* list = new QWidget;
    list->setFixedWidth(stageListWidth);
    auto* layout = new QVBoxLayout(list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (const CollectionStage stage : CollectionStages::allCases) {
        auto* row = new DiagnosticsStageRow(CollectionStages::title(stage));
        stageRows_.push_back(row);
        layout->addWidget(row);
    }
    return list;
}

void DiagnosticsExportProgressPanel::setProgress(const QString& message, double progress,
                                                 const std::set<CollectionStage>& completedStages) {
    message_->setText(message);
    bar_->setFraction(progress);
    for (std::size_t index = 0; index < stageRows_.size(); ++index) {
        stageRows_[index]->setFinished(completedStages.contains(CollectionStages::allCases[index]));
    }
}
