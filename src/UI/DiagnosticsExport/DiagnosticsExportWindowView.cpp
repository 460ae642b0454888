#include "UI/DiagnosticsExport/DiagnosticsExportWindowView.h"

#include "Core/TaskSleeper.h"
#include "Platform/AppKit/GeneralPasteboard.h"
#include "Platform/AppKit/SavePanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportHeader.h"
#include "UI/DiagnosticsExport/DiagnosticsExportPreviewPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportProgressPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportReportPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCard.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardModel.h"
#include "UI/Ground/DiagonalGradient.h"
#include "UI/Ground/FocusKeeper.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

DiagnosticsExportWindowView::DiagnosticsExportWindowView(
    std::shared_ptr<DiagnosticsExportCollection> collection,
    DiagnosticsExportActions::Dependencies actionDependencies, QWidget* parent)
    : QWidget(parent), collection_(std::move(collection)),
      actions_(collection_, std::move(actionDependencies)),
      header_(new DiagnosticsExportHeader([this] { collection_->startRegenerateRun(); })),
      progressPanel_(new DiagnosticsExportProgressPanel),
      feedback_(new WrappingLabel(QString(), SystemFont::font(12, QFont::Medium),
                                  DiagnosticsExportTheme::secondaryText())) {
    setMinimumSize(minimumContentSize);
    new FocusKeeper(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(14);
    layout->addWidget(header_);
    layout->addWidget(progressPanel_, 1);
    layout->addWidget(makeResultPanels(), 1);
    layout->addWidget(feedback_);
    feedback_->hide();
    resultPanels_->hide();
    redraw();
    stateSubscription_ =
        collection_->state().subscribe([this](const DiagnosticsExportState&) { scheduleRedraw(); });
}

DiagnosticsExportWindowView::~DiagnosticsExportWindowView() {
    appearanceRun_.cancel();
}

DiagnosticsExportWindowView*
DiagnosticsExportWindowView::make(MonitorDiagnosticsExportSources::Monitors monitors) {
    DiagnosticsExportCollection::Environment environment;
    environment.sources = std::make_shared<MonitorDiagnosticsExportSources>(std::move(monitors));
    environment.sleeper = std::make_shared<TaskSleeper>();
    return new DiagnosticsExportWindowView(
        DiagnosticsExportCollection::create(std::move(environment)),
        DiagnosticsExportActions::Dependencies{std::make_shared<GeneralPasteboard>(),
                                               std::make_shared<SavePanel>()});
}

QWidget* DiagnosticsExportWindowView::makeResultPanels() {
    resultPanels_ = new QWidget;
    previewPanel_ = new DiagnosticsExportPreviewPanel;
    reportPanel_ = new DiagnosticsExportReportPanel([this] { actions_.copyReport(); },
                                                    [this] { actions_.saveReportToFile(); });
    auto* layout = new QHBoxLayout(resultPanels_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(previewPanel_, 0, Qt::AlignTop);
    layout->addWidget(reportPanel_, 1);
    return resultPanels_;
}

void DiagnosticsExportWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (needsRedraw_) {
        redraw();
    }
    // Restoring a minimised window is not a new appearance.
    if (!event->spontaneous()) {
        appearanceRun_ = collection_->startAppearanceRun();
    }
}

void DiagnosticsExportWindowView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        appearanceRun_.cancel();
    }
}

void DiagnosticsExportWindowView::scheduleRedraw() {
    needsRedraw_ = true;
    if (isRedrawScheduled_ || !isVisible()) {
        return;
    }
    isRedrawScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        isRedrawScheduled_ = false;
        if (isVisible() && needsRedraw_) {
            redraw();
        }
    });
}

void DiagnosticsExportWindowView::redraw() {
    needsRedraw_ = false;
    const DiagnosticsExportState& state = collection_->state().value();
    const bool hasResult = state.hasResult();
    header_->setRegenerateShown(hasResult && !state.isCollectingReport);
    if (hasResult) {
        const auto content = DiagnosticsSharePreviewCardModel::content(*state.collectedReport);
        if (previewPanel_->card()->content() != content) {
            previewPanel_->card()->setContent(content);
        }
        reportPanel_->setReportJSONString(*state.collectedReportJSONString);
    } else {
        progressPanel_->setProgress(state.collectionMessage, state.collectionProgress,
                                    state.completedStages);
    }
    progressPanel_->setVisible(!hasResult);
    resultPanels_->setVisible(hasResult);
    if (state.actionMessage) {
        feedback_->setText(*state.actionMessage);
        feedback_->setColor(DiagnosticsExportTheme::messageColor(state.actionMessageColor));
    }
    feedback_->setVisible(state.actionMessage.has_value());
}

void DiagnosticsExportWindowView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    fillDiagonalGradient(painter, rect(), DiagnosticsExportTheme::backgroundTop(),
                         DiagnosticsExportTheme::backgroundBottom());
}
