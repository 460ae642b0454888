#pragma once

#include "AppState/CollectionStage.h"

#include <set>
#include <vector>

#include <QString>
#include <QWidget>

class DiagnosticsStageRow;
class OneLineLabel;
class ProgressCapsule;

// The collection's progress, centred in the space it is given: the current
// stage's message, a bar at most 380 wide and the six stages in order, each
// marked once finished.
class DiagnosticsExportProgressPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int barWidth = 380;
    static constexpr int stageListWidth = 420;

    explicit DiagnosticsExportProgressPanel(QWidget* parent = nullptr);

    void setProgress(const QString& message, double progress,
                     const std::set<CollectionStage>& completedStages);

    OneLineLabel* messageLabel() const { return message_; }
    ProgressCapsule* bar() const { return bar_; }
    const std::vector<DiagnosticsStageRow*>& stageRows() const { return stageRows_; }

private:
    QWidget* makeStageList();

    OneLineLabel* message_;
    ProgressCapsule* bar_;
    std::vector<DiagnosticsStageRow*> stageRows_;
};
