#include "UI/DiagnosticsExport/DiagnosticsExportActions.h"

#include "Core/TaskSleeper.h"
#include "Support/FakeDiagnosticsExportSources.h"
#include "Support/QStringPrinter.h"
#include "Support/ScopedCompiledLocale.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/TestRuntime.h"
#include "Support/UnavailableDiagnosticsReport.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardModel.h"
#include "UI/Formatters/PopoverFormatters.h"

#include <csignal>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

using Color = DiagnosticsExportMessageColor;

// 2026-03-04T05:06:07Z.
const Date exportTime = Date(std::chrono::seconds(1'772'600'767));

class RecordingPasteboard final : public PasteboardWriting {
public:
    QString contents = QStringLiteral("earlier clipboard text");
    bool accepts = true;
    int clearCount = 0;

    void clearContents() override {
        ++clearCount;
        contents.clear();
    }
    bool setString(const QString& text) override {
        if (accepts) {
            contents = text;
        }
        return accepts;
    }
};

// Holds each dialog open until the test answers it.
class HeldSavePanel final : public SavePanelPresenting {
public:
    std::vector<SavePanelConfiguration> configurations;
    std::vector<Completion> completions;

    void begin(const SavePanelConfiguration& configuration, Completion completion) override {
        configurations.push_back(configuration);
        completions.push_back(std::move(completion));
    }
};

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Limits the size of any file this process writes, so that a write fails
// part-way as on a full disk.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// The wall clock the C library reads for `instant` under the present TZ, in
// the save name's form.
QString cLibraryStamp(Date instant) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(instant);
    tzset();
    std::tm fields{};
    localtime_r(&seconds, &fields);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &fields);
    return QString::fromLatin1(text);
}

} // namespace

class DiagnosticsExportActionsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    std::shared_ptr<DiagnosticsExportCollection> makeCollection(DiagnosticsExportState state) {
        DiagnosticsExportCollection::Environment environment;
        environment.sources = std::make_shared<FakeDiagnosticsExportSources>();
        environment.sleeper = std::make_shared<TaskSleeper>();
        environment.bundle = BundleInfo();
        return DiagnosticsExportCollection::create(std::move(environment), std::move(state));
    }

    static DiagnosticsExportState ready() {
        DiagnosticsExportState state;
        state.collectedReport = unavailableDiagnosticsReport(exportTime, QStringLiteral("good"));
        state.collectedReportJSONString = json;
        return state;
    }

    DiagnosticsExportActions makeActions(std::shared_ptr<DiagnosticsExportCollection> model) {
        return DiagnosticsExportActions(
            std::move(model),
            {pasteboard, savePanel, [] { return exportTime + std::chrono::hours(1); }});
    }

    const DiagnosticsExportState& state() const { return collection->state().value(); }

    void expectFeedback(const QString& message, Color color) const {
        EXPECT_EQ(state().actionMessage, message);
        EXPECT_EQ(state().actionMessageColor, color);
    }

    static inline const QString json = QStringLiteral("{\n  \"name\" : \"Café \\/ ☕\"\n}");

    TestRuntime runtime;
    QTemporaryDir folder;
    std::shared_ptr<RecordingPasteboard> pasteboard = std::make_shared<RecordingPasteboard>();
    std::shared_ptr<HeldSavePanel> savePanel = std::make_shared<HeldSavePanel>();
    std::shared_ptr<DiagnosticsExportCollection> collection = makeCollection(ready());
    DiagnosticsExportActions actions = makeActions(collection);
};

TEST_F(DiagnosticsExportActionsTest, BeforeAReportNeitherActionTouchesClipboardOrDialog) {
    collection = makeCollection(DiagnosticsExportState{});
    auto early = makeActions(collection);
    early.copyReport();
    EXPECT_EQ(pasteboard->contents, QStringLiteral("earlier clipboard text"));
    EXPECT_EQ(pasteboard->clearCount, 0);
    early.saveReportToFile();
    EXPECT_TRUE(savePanel->configurations.empty());
    expectFeedback("Diagnostics report is still being collected.", Color::secondaryText);
}

TEST_F(DiagnosticsExportActionsTest, CopyReportsOnlyWhatTheClipboardTook) {
    actions.copyReport();
    EXPECT_EQ(pasteboard->contents, json);
    expectFeedback("Diagnostics report copied to clipboard.", Color::success);

    pasteboard->accepts = false;
    actions.copyReport();
    EXPECT_EQ(pasteboard->contents, QString());
    expectFeedback("Unable to copy diagnostics report.", Color::error);
}

// Stamped in the system's zone; a zone the database lacks stamps in UTC.
TEST_F(DiagnosticsExportActionsTest, SaveOffersAJSONFileNamedForTheReport) {
    const ScopedEnvironmentVariable unknownZone("TZ", QByteArrayLiteral("Garbage/Zone"));
    actions.saveReportToFile();
    ASSERT_EQ(savePanel->configurations.size(), 1u);
    const SavePanelConfiguration& offered = savePanel->configurations.front();
    EXPECT_EQ(offered.title, QStringLiteral("Save Diagnostics Report"));
    EXPECT_EQ(offered.nameFieldStringValue,
              QStringLiteral("pelmor-diagnostics-20260304-050607.json"));
    EXPECT_EQ(offered.allowedContentTypeFilter, QStringLiteral("JSON (*.json)"));
    EXPECT_EQ(offered.defaultExtension, QStringLiteral("json"));
    EXPECT_TRUE(offered.canCreateDirectories);
    EXPECT_FALSE(state().actionMessage.has_value());

    // Without a report the name is stamped with the time of asking.
    collection = makeCollection(DiagnosticsExportState{});
    EXPECT_EQ(makeActions(collection).defaultFileName(),
              QStringLiteral("pelmor-diagnostics-20260304-060607.json"));
}

// The save name's stamp and the time texts show the zone as the C library
// reads TZ, also where Qt or ICU read it otherwise or lack its name: a POSIX
// rule, with its daylight time where it has one, and a bare offset, which
// POSIX counts westward. A zone nobody knows is UTC for all.
TEST_F(DiagnosticsExportActionsTest, TheSaveNameAndTheTimeTextsReadOneZone) {
    struct Case {
        const char* zone;
        const char* instant;
        QString stamp;
        QString footer;
    };
    const char* summer = "2026-07-04T20:30:15Z";
    const char* winter = "2026-01-04T20:30:15Z";
    const char* centralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
    const Case cases[] = {
        {"Asia/Tokyo", summer, u"20260705-053015"_s, u"Updated \u206805.07.2026, 05:30:15\u2069"_s},
        {"JST-9", summer, u"20260705-053015"_s, u"Updated \u206805.07.2026, 05:30:15\u2069"_s},
        {centralEurope, summer, u"20260704-223015"_s,
         u"Updated \u206804.07.2026, 22:30:15\u2069"_s},
        {centralEurope, winter, u"20260104-213015"_s,
         u"Updated \u206804.01.2026, 21:30:15\u2069"_s},
        {"Garbage/Zone", summer, u"20260704-203015"_s,
         u"Updated \u206804.07.2026, 20:30:15\u2069"_s},
        {"UTC+12", summer, u"20260704-083015"_s, u"Updated \u206804.07.2026, 08:30:15\u2069"_s},
        {"UTC-3", summer, u"20260704-233015"_s, u"Updated \u206804.07.2026, 23:30:15\u2069"_s},
        {"GMT+5", summer, u"20260704-153015"_s, u"Updated \u206804.07.2026, 15:30:15\u2069"_s},
    };
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case& example : cases) {
        SCOPED_TRACE(std::string(example.zone) + " at " + example.instant);
        const ScopedEnvironmentVariable zone("TZ", QByteArray(example.zone));
        const Date instant(std::chrono::milliseconds(
            QDateTime::fromString(QString::fromLatin1(example.instant), Qt::ISODate)
                .toMSecsSinceEpoch()));
        EXPECT_EQ(example.stamp, cLibraryStamp(instant));
        EXPECT_EQ(DiagnosticsExportActions::fileName(instant),
                  u"pelmor-diagnostics-"_s + example.stamp + u".json"_s);
        EXPECT_EQ(DiagnosticsSharePreviewCardModel::footer(instant, german, currentTimeZone()),
                  example.footer);
        EXPECT_EQ(PopoverFormatters::timeOfDay(
                      instant, PopoverFormatters::TimeOfDayStyle::mediumStyle, german),
                  example.footer.chopped(1).right(8));
    }
}

TEST_F(DiagnosticsExportActionsTest, TheFileHoldsExactlyTheTextOfWhenTheDialogOpened) {
    actions.saveReportToFile();
    // A new run starts while the dialog is open.
    collection->setActionMessage(QStringLiteral("earlier"), Color::success);
    const QString path = folder.filePath(QStringLiteral("report.json"));
    savePanel->completions.front()(path);
    EXPECT_EQ(contentsOf(path), json.toUtf8());
    expectFeedback("Diagnostics report saved to report.json.", Color::success);
}

// The dialog asked about the name it answered, and only that file is written.
TEST_F(DiagnosticsExportActionsTest, TheFileWrittenIsExactlyTheOneTheDialogNamed) {
    writeFile(folder.filePath(QStringLiteral("report.txt.json")), "kept");
    actions.saveReportToFile();
    savePanel->completions.front()(folder.filePath(QStringLiteral("report.txt")));
    EXPECT_EQ(contentsOf(folder.filePath(QStringLiteral("report.txt"))), json.toUtf8());
    EXPECT_EQ(contentsOf(folder.filePath(QStringLiteral("report.txt.json"))), QByteArray("kept"));
    expectFeedback("Diagnostics report saved to report.txt.", Color::success);
}

TEST_F(DiagnosticsExportActionsTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const QString path = folder.filePath(QStringLiteral("kept.json"));
    writeFile(path, "old");
    actions.saveReportToFile();
    {
        const ScopedFileSizeLimit limit(8);
        savePanel->completions.front()(path);
    }
    EXPECT_EQ(contentsOf(path), QByteArray("old"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.json")});
    expectFeedback("Failed to save diagnostics report.", Color::error);
    EXPECT_EQ(state().collectedReportJSONString, json);
}

TEST_F(DiagnosticsExportActionsTest, APathThatNamesNoFileIsRefused) {
    for (const QString& path : {folder.path() + QStringLiteral("/"),
                                folder.filePath(QStringLiteral("missing/folder/report.json"))}) {
        collection->setActionMessage(QString(), Color::secondaryText);
        actions.saveReportToFile();
        savePanel->completions.back()(path);
        EXPECT_EQ(state().actionMessage, QStringLiteral("Failed to save diagnostics report."))
            << path.toStdString();
    }
}

TEST_F(DiagnosticsExportActionsTest, ACancelledDialogKeepsTheFeedbackLine) {
    actions.copyReport();
    actions.saveReportToFile();
    savePanel->completions.front()(std::nullopt);
    expectFeedback("Diagnostics report copied to clipboard.", Color::success);
}

TEST_F(DiagnosticsExportActionsTest, ADialogClosedAfterItsWindowWentStillWritesTheFile) {
    actions.saveReportToFile();
    auto completion = savePanel->completions.front();
    std::weak_ptr<DiagnosticsExportCollection> weakCollection = collection;
    actions = makeActions(makeCollection(DiagnosticsExportState{}));
    collection.reset();
    ASSERT_TRUE(weakCollection.expired());
    const QString path = folder.filePath(QStringLiteral("late.json"));
    completion(path);
    EXPECT_EQ(contentsOf(path), json.toUtf8());
}

// Local wall-clock time, Gregorian, ASCII digits, leading zeros, 24-hour clock,
// whatever the locale.
TEST(DiagnosticsExportFileNameTest, IsTheSameInEveryLocale) {
    const Date afternoon = Date(std::chrono::seconds(1'767'315'845)); // 2026-01-02T01:04:05Z
    const QTimeZone bangkok(QByteArrayLiteral("Asia/Bangkok"));
    const std::vector<std::tuple<Date, QTimeZone, QString>> cases{
        {afternoon, bangkok, "pelmor-diagnostics-20260102-080405.json"},
        {exportTime + std::chrono::hours(9), bangkok, "pelmor-diagnostics-20260304-210607.json"},
        {afternoon, QTimeZone(QByteArrayLiteral("America/Los_Angeles")),
         "pelmor-diagnostics-20260101-170405.json"}};
    for (const char* locale : {"ar_EG", "th_TH", "fa_IR", "de_DE"}) {
        const ScopedCompiledLocale scoped(locale);
        ASSERT_TRUE(scoped.isActive()) << locale;
        for (const auto& [date, zone, expected] : cases) {
            EXPECT_EQ(DiagnosticsExportActions::fileName(date, zone), expected) << locale;
        }
    }
}
