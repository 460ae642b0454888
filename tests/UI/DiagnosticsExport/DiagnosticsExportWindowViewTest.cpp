#include "UI/DiagnosticsExport/DiagnosticsExportWindowView.h"

#include "Core/TaskSleeper.h"
#include "Support/FakeDiagnosticsExportSources.h"
#include "Support/FakeExportWorkEnder.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "Support/UnavailableDiagnosticsReport.h"
#include "UI/DiagnosticsExport/DiagnosticsCardMetric.h"
#include "UI/DiagnosticsExport/DiagnosticsExportHeader.h"
#include "UI/DiagnosticsExport/DiagnosticsExportPreviewPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportProgressPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportReportPanel.h"
#include "UI/DiagnosticsExport/DiagnosticsExportSymbolButton.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/DiagnosticsExport/DiagnosticsIncludedRow.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCard.h"
#include "UI/DiagnosticsExport/DiagnosticsStageRow.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/ProgressCapsule.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/PlainLineRendering.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// 2026-03-04T05:06:07Z.
const Date exportTime = Date(std::chrono::seconds(1'772'600'767));

class RecordingPasteboard final : public PasteboardWriting {
public:
    QString contents;
    void clearContents() override { contents.clear(); }
    bool setString(const QString& text) override {
        contents = text;
        return true;
    }
};

class HeldSavePanel final : public SavePanelPresenting {
public:
    int openCount = 0;
    void begin(const SavePanelConfiguration&, Completion) override { ++openCount; }
};

DiagnosticsExportReport sampleReport() {
    DiagnosticsExportReport report = unavailableDiagnosticsReport(exportTime, "poor");
    report.wifi = {DiagnosticsExportReport::SectionStatus::available, std::nullopt,
                   DiagnosticsExportReport::WiFiData{
                       .ssid = QStringLiteral("<b>Linden</b>"), .rssiDbm = -61, .snrDb = 31}};
    return report;
}

DiagnosticsExportState readyState(QString json = QStringLiteral("{\n  \"a\" : \"<b>x</b>\"\n}")) {
    DiagnosticsExportState state;
    state.collectedReport = sampleReport();
    state.collectedReportJSONString = std::move(json);
    state.completedStages = {CollectionStages::allCases.begin(), CollectionStages::allCases.end()};
    state.collectionProgress = 1;
    state.collectionMessage = QStringLiteral("Report ready.");
    return state;
}

void processEvents() {
    QCoreApplication::processEvents();
}

} // namespace

class DiagnosticsExportWindowViewTest : public testing::Test {
protected:
    std::unique_ptr<DiagnosticsExportWindowView> makeView(DiagnosticsExportState state = {}) {
        DiagnosticsExportCollection::Environment environment{
            sources, [] { return exportTime; },
            [this] {
                return std::chrono::steady_clock::time_point(
                    std::chrono::nanoseconds(runtime.clock().elapsedNanoseconds()));
            },
            std::make_shared<TaskSleeper>(), BundleInfo()};
        auto view = std::make_unique<DiagnosticsExportWindowView>(
            DiagnosticsExportCollection::create(std::move(environment), std::move(state)),
            DiagnosticsExportActions::Dependencies{pasteboard, savePanel});
        view->resize(1020, 700);
        return view;
    }

    static bool showsResult(const DiagnosticsExportWindowView& view) {
        return view.resultPanels()->isVisibleTo(&view);
    }
    static bool showsProgress(const DiagnosticsExportWindowView& view) {
        return view.progressPanel()->isVisibleTo(&view);
    }
    static bool showsRegenerate(const DiagnosticsExportWindowView& view) {
        return view.header()->regenerateButton()->isVisibleTo(&view);
    }

    TestRuntime runtime;
    std::shared_ptr<FakeDiagnosticsExportSources> sources =
        std::make_shared<FakeDiagnosticsExportSources>();
    std::shared_ptr<RecordingPasteboard> pasteboard = std::make_shared<RecordingPasteboard>();
    std::shared_ptr<HeldSavePanel> savePanel = std::make_shared<HeldSavePanel>();
    std::vector<Reactive::Cancellable> endings;
};

TEST_F(DiagnosticsExportWindowViewTest, ShowsTheResultPanelsOnlyWithBothReportAndText) {
    struct Case {
        bool hasReport;
        bool hasText;
        bool isCollecting;
        bool showsPanels;
        bool showsRegenerate;
    };
    for (const Case& shown :
         {Case{false, false, false, false, false}, Case{true, false, false, false, false},
          Case{false, true, false, false, false}, Case{true, true, false, true, true},
          Case{true, true, true, true, false}}) {
        DiagnosticsExportState state = readyState();
        if (!shown.hasReport) {
            state.collectedReport = std::nullopt;
        }
        if (!shown.hasText) {
            state.collectedReportJSONString = std::nullopt;
        }
        state.isCollectingReport = shown.isCollecting;
        const auto view = makeView(state);
        EXPECT_EQ(showsResult(*view), shown.showsPanels);
        EXPECT_EQ(showsProgress(*view), !shown.showsPanels);
        EXPECT_EQ(showsRegenerate(*view), shown.showsRegenerate);
    }
}

TEST_F(DiagnosticsExportWindowViewTest, TheProgressPanelListsEveryStageAndMarksTheFinished) {
    DiagnosticsExportState state;
    state.isCollectingReport = true;
    state.collectionMessage = QStringLiteral("Running speed test...");
    state.collectionProgress = 0.76;
    state.completedStages = {CollectionStage::metrics, CollectionStage::wifi,
                             CollectionStage::latency, CollectionStage::channel};
    const auto view = makeView(state);
    const DiagnosticsExportProgressPanel& panel = *view->progressPanel();
    EXPECT_EQ(panel.messageLabel()->text(), QStringLiteral("Running speed test..."));
    EXPECT_DOUBLE_EQ(panel.bar()->fraction(), 0.76);
    EXPECT_EQ(panel.bar()->width(), 380);
    ASSERT_EQ(panel.stageRows().size(), 6u);
    for (std::size_t index = 0; index < 6; ++index) {
        const DiagnosticsStageRow& row = *panel.stageRows()[index];
        EXPECT_EQ(row.titleLabel()->text(),
                  CollectionStages::title(CollectionStages::allCases[index]));
        EXPECT_EQ(row.isFinished(), index < 4) << index;
        EXPECT_EQ(row.titleLabel()->color(), index < 4 ? DiagnosticsExportTheme::primaryText()
                                                       : DiagnosticsExportTheme::secondaryText());
    }
    EXPECT_FALSE(view->feedbackLine()->isVisibleTo(view.get()));
}

TEST_F(DiagnosticsExportWindowViewTest, TheResultShowsTheCardTheFixedListAndThePlainJSON) {
    const auto view = makeView(readyState());
    view->show();
    processEvents();
    const DiagnosticsSharePreviewCard& card = *view->previewPanel()->card();
    EXPECT_EQ(card.content().badgeText, QStringLiteral("POOR"));
    OneLineLabel& ssid = *card.metricRows().front()->valueLabel();
    EXPECT_EQ(ssid.text(), QStringLiteral("<b>Linden</b>"));
    EXPECT_TRUE(
        PlainLineRendering::drawsPlainly(ssid, QStringLiteral("<b>Linden</b>"), Qt::AlignRight));
    QStringList included;
    for (const DiagnosticsIncludedRow* row : view->previewPanel()->includedRows()) {
        included << row->text();
    }
    EXPECT_EQ(included,
              (QStringList{"Health state and timestamps", "Wi-Fi, ping, DNS, and channel scan",
                           "Connection pressure and captive portal",
                           "Latest speed test (when available)"}));
    const DiagnosticsExportReportPanel& report = *view->reportPanel();
    EXPECT_EQ(report.textView()->toPlainText(), *readyState().collectedReportJSONString);
    EXPECT_TRUE(report.textView()->isReadOnly());
    EXPECT_TRUE(report.textView()->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(report.copyButton()->toolTip(), QStringLiteral("Copy report"));
    EXPECT_EQ(report.copyButton()->accessibleName(), QStringLiteral("Copy report"));
    EXPECT_EQ(report.copyButton()->symbolName(), QStringLiteral("square.on.square"));
    EXPECT_EQ(report.shareButton()->toolTip(), QStringLiteral("Share report"));
    EXPECT_EQ(report.shareButton()->symbolName(), QStringLiteral("square.and.arrow.up"));
    EXPECT_EQ(report.copyButton()->size(), QSize(28, 24));
    EXPECT_EQ(view->header()->regenerateButton()->toolTip(),
              QStringLiteral("Collect metrics again and generate a new report"));
}

TEST_F(DiagnosticsExportWindowViewTest, AtItsMinimumTheSharePanelKeeps350AndTheReportTheRest) {
    const auto view = makeView(readyState());
    EXPECT_EQ(view->minimumSizeHint(), QSize(980, 660));
    EXPECT_EQ(view->minimumSize(), QSize(980, 660));
    view->resize(980, 660);
    view->show();
    processEvents();
    EXPECT_EQ(view->previewPanel()->width(), 350);
    const QRect report = view->reportPanel()->geometry().translated(
        view->resultPanels()->mapTo(view.get(), QPoint(0, 0)));
    EXPECT_EQ(report.left(), 20 + 350 + 16);
    EXPECT_EQ(report.right(), 980 - 20 - 1);
    EXPECT_EQ(view->header()->geometry(), QRect(20, 20, 940, view->header()->height()));
}

TEST_F(DiagnosticsExportWindowViewTest, RedrawsOnALaterTurnAndOnlyWhileShown) {
    const auto view = makeView(readyState());
    view->show();
    processEvents();
    view->collection()->setActionMessage(QStringLiteral("Diagnostics report copied to clipboard."),
                                         DiagnosticsExportMessageColor::success);
    EXPECT_FALSE(view->feedbackLine()->isVisible());
    processEvents();
    EXPECT_TRUE(view->feedbackLine()->isVisible());
    EXPECT_EQ(view->feedbackLine()->color(), DiagnosticsExportTheme::success());

    view->hide();
    view->collection()->setActionMessage(QStringLiteral("Failed to save diagnostics report."),
                                         DiagnosticsExportMessageColor::error);
    processEvents();
    EXPECT_EQ(view->feedbackLine()->text(),
              QStringLiteral("Diagnostics report copied to clipboard."));
    view->show();
    EXPECT_EQ(view->feedbackLine()->text(), QStringLiteral("Failed to save diagnostics report."));
    EXPECT_EQ(view->feedbackLine()->color(), DiagnosticsExportTheme::error());
}

// The box reloads only for a new text, also when the box's own copy of it
// differs (it turns U+00A0, U+2028 and U+2029 into other characters).
TEST_F(DiagnosticsExportWindowViewTest, AFeedbackLineKeepsTheJSONBoxScrollAndSelection) {
    for (const QString& separator : {u" "_s, u"\u00A0"_s, u"\u2028"_s, u"\u2029"_s}) {
        SCOPED_TRACE(separator.toStdString());
        QString json = u"{\n  \"ssid\" : \"Linden"_s + separator + u"House\""_s;
        for (int line = 0; line < 200; ++line) {
            json += u",\n  \"line%1\" : %1"_s.arg(line);
        }
        const auto view = makeView(readyState(json + u"\n}"_s));
        view->show();
        processEvents();
        QPlainTextEdit& box = *view->reportPanel()->textView();
        QTextCursor selection = box.textCursor();
        selection.setPosition(20);
        selection.setPosition(40, QTextCursor::KeepAnchor);
        box.setTextCursor(selection);
        box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum() / 2);
        const int scrolled = box.verticalScrollBar()->value();
        ASSERT_GT(scrolled, 0);

        view->collection()->setActionMessage(u"Diagnostics report copied to clipboard."_s,
                                             DiagnosticsExportMessageColor::success);
        processEvents();
        EXPECT_EQ(box.verticalScrollBar()->value(), scrolled);
        EXPECT_EQ(box.textCursor().selectionStart(), 20);
        EXPECT_EQ(box.textCursor().selectionEnd(), 40);
    }
}

TEST_F(DiagnosticsExportWindowViewTest, TheButtonsCopyAndOpenTheDialog) {
    // Before the report is ready they say so, until it is.
    const auto collecting = makeView();
    collecting->show();
    runtime.runUntilIdle();
    collecting->reportPanel()->copyButton()->click();
    const auto message = [&collecting] {
        return collecting->collection()->state().value().actionMessage;
    };
    EXPECT_EQ(message(), u"Diagnostics report is still being collected."_s);
    endings = endAllWorkWhenStarted(*sources);
    runtime.advance(1);
    ASSERT_TRUE(collecting->collection()->state().value().hasResult());
    EXPECT_EQ(message(), std::nullopt);

    const auto view = makeView(readyState());
    view->reportPanel()->copyButton()->click();
    EXPECT_EQ(pasteboard->contents, *readyState().collectedReportJSONString);
    view->reportPanel()->shareButton()->click();
    EXPECT_EQ(savePanel->openCount, 1);
    EXPECT_EQ(view->collection()->state().value().actionMessage,
              QStringLiteral("Diagnostics report copied to clipboard."));
}

TEST_F(DiagnosticsExportWindowViewTest, ComingOnScreenCollectsAndGoingAwayCancelsOnlyThatRun) {
    const auto view = makeView();
    view->show();
    runtime.runUntilIdle();
    runtime.advance(1);
    ASSERT_EQ(sources->scan.startCount, 1);
    view->hide();
    runtime.runUntilIdle();
    EXPECT_GE(sources->scan.cancelCount, 1);
    EXPECT_EQ(sources->speed.startCount, 0);
    const auto state = [&view] { return view->collection()->state().value(); };
    EXPECT_TRUE(state().hasResult());

    // A Regenerate run goes on when the window closes.
    sources->scan.end();
    endings = endAllWorkWhenStarted(*sources);
    view->show();
    runtime.runUntilIdle();
    runtime.advance(1);
    ASSERT_FALSE(state().isCollectingReport);
    processEvents();
    ASSERT_TRUE(showsRegenerate(*view));
    endings.clear();
    const int cancelsBefore = sources->scan.cancelCount;
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->header()->regenerateButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view->header()->regenerateButton(), Qt::Key_Space);
    runtime.runUntilIdle();
    EXPECT_TRUE(state().isCollectingReport);
    processEvents();
    EXPECT_FALSE(showsRegenerate(*view));
    // Nothing hidden takes a Space or a Tab meanwhile.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        processEvents();
        EXPECT_EQ(ViewInspection::focusFault(*view), QString());
    }
    EXPECT_EQ(state().actionMessage, std::nullopt);
    runtime.advance(1);
    view->hide();
    runtime.advance(5);
    EXPECT_EQ(sources->scan.cancelCount, cancelsBefore);
    EXPECT_TRUE(state().isCollectingReport);
    EXPECT_EQ(state().collectionMessage, QStringLiteral("Collecting channel info..."));
}

TEST_F(DiagnosticsExportWindowViewTest, ARunOutlivesItsWindow) {
    auto view = makeView();
    view->show();
    runtime.runUntilIdle();
    runtime.advance(0.2);
    std::weak_ptr<DiagnosticsExportCollection> collection = view->collection();
    view.reset();
    runtime.runUntilIdle();
    EXPECT_EQ(sources->inputReads, 1);
    EXPECT_TRUE(collection.expired());
}

TEST_F(DiagnosticsExportWindowViewTest, ClosingTheHostingWindowCancelsItsRun) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto view = makeView();
    DiagnosticsExportWindowView* shown = view.release();
    layout->addWidget(shown);
    window.show();
    runtime.runUntilIdle();
    runtime.advance(1);
    ASSERT_EQ(sources->scan.startCount, 1);
    window.close();
    runtime.runUntilIdle();
    EXPECT_GE(sources->scan.cancelCount, 1);
    EXPECT_TRUE(shown->collection()->state().value().hasResult());
}
