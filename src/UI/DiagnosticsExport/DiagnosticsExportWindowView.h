#pragma once

#include "AppState/DiagnosticsExportCollection.h"
#include "AppState/MonitorDiagnosticsExportSources.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Cancellable.h"
#include "UI/DiagnosticsExport/DiagnosticsExportActions.h"

#include <memory>

#include <QSize>
#include <QWidget>

class DiagnosticsExportHeader;
class DiagnosticsExportPreviewPanel;
class DiagnosticsExportProgressPanel;
class DiagnosticsExportReportPanel;
class WrappingLabel;

// The Diagnostics Export window's content: the header, then the progress
// panel while no report is held, or the share preview and the JSON panels
// once one is, and the feedback line of copy and save.
//
// Coming on screen starts a collection; going away cancels that run (a run
// started by Regenerate is not tied to the view). The view draws its model's
// state on a later turn, and only while shown.
class DiagnosticsExportWindowView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize minimumContentSize{980, 660};

    DiagnosticsExportWindowView(std::shared_ptr<DiagnosticsExportCollection> collection,
                                DiagnosticsExportActions::Dependencies actionDependencies,
                                QWidget* parent = nullptr);
    ~DiagnosticsExportWindowView() override;

    // The view over the application's shared monitors, with the desktop's
    // clipboard and save dialog.
    static DiagnosticsExportWindowView* make(MonitorDiagnosticsExportSources::Monitors monitors);

    const std::shared_ptr<DiagnosticsExportCollection>& collection() const { return collection_; }
    DiagnosticsExportActions& actions() { return actions_; }

    DiagnosticsExportHeader* header() const { return header_; }
    DiagnosticsExportProgressPanel* progressPanel() const { return progressPanel_; }
    QWidget* resultPanels() const { return resultPanels_; }
    DiagnosticsExportPreviewPanel* previewPanel() const { return previewPanel_; }
    DiagnosticsExportReportPanel* reportPanel() const { return reportPanel_; }
    WrappingLabel* feedbackLine() const { return feedback_; }

    QSize sizeHint() const override { return {1020, 700}; }
    QSize minimumSizeHint() const override { return minimumContentSize; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeResultPanels();
    void scheduleRedraw();
    void redraw();

    std::shared_ptr<DiagnosticsExportCollection> collection_;
    DiagnosticsExportActions actions_;
    DiagnosticsExportHeader* header_;
    DiagnosticsExportProgressPanel* progressPanel_;
    QWidget* resultPanels_ = nullptr;
    DiagnosticsExportPreviewPanel* previewPanel_ = nullptr;
    DiagnosticsExportReportPanel* reportPanel_ = nullptr;
    WrappingLabel* feedback_;
    Async::TaskHandle<void> appearanceRun_;
    Reactive::Cancellable stateSubscription_;
    bool needsRedraw_ = true;
    bool isRedrawScheduled_ = false;
};
