#include "Core/AppUpdateService.h"

#include "Platform/Bundle/BundleKeys.h"
#include "Support/AppUpdatePrinters.h"
#include "Support/EventLoopPump.h"
#include "Support/LoopbackHttpServer.h"
#include "Support/QStringPrinter.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/SpawnedOutcome.h"
#include "Support/TestRuntime.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcessEnvironment>

using namespace Qt::Literals::StringLiterals;

namespace {

using Answer = LoopbackHttpServer::Answer;

QByteArray feed(const QJsonValue& buildNumber, const QString& downloadUrl,
                const QString& version = u"2.1.0"_s) {
    return QJsonDocument(QJsonObject{{u"version"_s, version},
                                     {u"buildNumber"_s, buildNumber},
                                     {u"releaseDate"_s, u"2025-03-14"_s},
                                     {u"downloadUrl"_s, downloadUrl},
                                     {u"releaseNotes"_s, u"Faster scans."_s}})
        .toJson(QJsonDocument::Compact);
}

Answer feedAnswer(const QByteArray& body, int status = 200) {
    return Answer(status, body).header("Content-Type", "application/json");
}

UpdateCheckResult available(const QString& downloadUrl, std::int64_t buildNumber = 121,
                            const QString& version = u"2.1.0"_s) {
    return UpdateCheckResult::updateAvailable({.version = version,
                                               .buildNumber = buildNumber,
                                               .releaseDate = u"2025-03-14"_s,
                                               .downloadUrl = downloadUrl,
                                               .releaseNotes = u"Faster scans."_s,
                                               .minimumSystemVersion = std::nullopt});
}

QProcessEnvironment environmentWith(std::initializer_list<std::pair<QString, QString>> values) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : values) {
        environment.insert(name, value);
    }
    return environment;
}

const QString apiVariable = u"PELMOR_UPDATE_API_URL"_s;
const QString baseVariable = u"PELMOR_UPDATE_DOWNLOAD_BASE_URL"_s;

} // namespace

// Checks against a loopback feed that the environment names, as a deployment
// would configure it; the bundle names another path on the same server.
class AppUpdateServiceTest : public testing::Test {
protected:
    SpawnedOutcome<UpdateCheckResult> start(double requestTimeout = 10.0) {
        AppUpdateService service = AppUpdateService::configured(
            bundle, QProcessEnvironment::systemEnvironment(), URLSession(&manager), requestTimeout);
        return spawnOutcome([service]() mutable { return service.checkForUpdate(); });
    }

    UpdateCheckResult check() {
        auto outcome = start();
        EXPECT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
        return outcome.value();
    }

    UpdateCheckResult checkAnswering(Answer answer) {
        server.answer(u"/v1/update"_s, std::move(answer));
        return check();
    }

    QString urlText(const QString& path) const {
        return server.url(path).toString(QUrl::FullyEncoded);
    }

    QStringList requestedPaths() const {
        QStringList paths;
        for (const auto& request : server.requests()) {
            paths.append(request.path);
        }
        return paths;
    }

    TestRuntime runtime;
    LoopbackHttpServer server;
    QNetworkAccessManager manager;
    ScopedEnvironmentVariable updateURLVariable{"PELMOR_UPDATE_API_URL",
                                                server.url(u"/v1/update"_s).toEncoded()};
    ScopedEnvironmentVariable downloadBaseVariable{"PELMOR_UPDATE_DOWNLOAD_BASE_URL",
                                                   server.url(u"/releases"_s).toEncoded()};
    BundleInfo bundle{{{BundleKeys::buildNumber, u"120"_s},
                       {BundleKeys::updateAPIURL, urlText(u"/bundle/update"_s)},
                       {BundleKeys::updateDownloadBaseURL, urlText(u"/bundle/releases/"_s)}}};
};

TEST_F(AppUpdateServiceTest, ANewerBuildIsOfferedWithItsDownloadInTheReleasesFolder) {
    EXPECT_EQ(checkAnswering(feedAnswer(feed(121, u"pelmor-2.1.0.dmg"_s))),
              available(urlText(u"/releases/pelmor-2.1.0.dmg"_s)));
    ASSERT_EQ(server.requests().size(), 1);
    const auto& request = server.requests().constFirst();
    EXPECT_EQ(request.method, QByteArray("GET"));
    EXPECT_EQ(request.path, u"/v1/update"_s);
    EXPECT_TRUE(request.query.isEmpty());
    EXPECT_EQ(request.header("Accept"), QByteArray("application/json"));
    EXPECT_EQ(request.bodySize, 0);
}

TEST_F(AppUpdateServiceTest, TheSameOrAnOlderBuildIsUpToDate) {
    EXPECT_EQ(checkAnswering(feedAnswer(feed(120, u"pelmor-2.0.dmg"_s))),
              UpdateCheckResult::upToDate());
    EXPECT_EQ(checkAnswering(feedAnswer(feed(119, u"mailto:someone@example.com"_s))),
              UpdateCheckResult::upToDate())
        << "an older build is up to date before its download reference is looked at";
}

TEST_F(AppUpdateServiceTest, StatusesOutsideTwoHundredsFailTheCheck) {
    EXPECT_EQ(checkAnswering(feedAnswer({}, 304)), UpdateCheckResult::checkFailed());
    for (const int status : {404, 500}) {
        EXPECT_EQ(checkAnswering(feedAnswer(feed(121, u"pelmor-2.1.0.dmg"_s), status)),
                  UpdateCheckResult::checkFailed())
            << status;
    }
}

TEST_F(AppUpdateServiceTest, AnAnswerThatIsNotTheFeedFailsTheCheck) {
    EXPECT_EQ(checkAnswering(feedAnswer(feed(u"121"_s, u"pelmor-2.1.0.dmg"_s))),
              UpdateCheckResult::checkFailed())
        << "a build number given as text";
    EXPECT_EQ(checkAnswering(feedAnswer(R"({"version":"2.1.0","buildNumber":121,)"
                                        R"("releaseDate":"2025-03-14"})")),
              UpdateCheckResult::checkFailed())
        << "no download reference";
    EXPECT_EQ(checkAnswering(feedAnswer(R"({"version":"2.1.0","buildNumber":121,)")),
              UpdateCheckResult::checkFailed())
        << "invalid JSON";
    EXPECT_EQ(checkAnswering(feedAnswer({}, 204)), UpdateCheckResult::checkFailed());
}

TEST_F(AppUpdateServiceTest, DownloadReferencesBecomeWebURLsOrFailTheCheck) {
    const std::vector<std::pair<QString, UpdateCheckResult>> cases{
        {u"https://downloads.example/Pelmor-2.1.0.dmg"_s,
         available(u"https://downloads.example/Pelmor-2.1.0.dmg"_s)},
        {u" HTTP://Downloads.Example/Pelmor.dmg \n"_s,
         available(u"http://downloads.example/Pelmor.dmg"_s)},
        {u"beta/pelmor-2.1.0.dmg?channel=beta"_s,
         available(urlText(u"/releases/beta/pelmor-2.1.0.dmg?channel=beta"_s))},
        {u"/files/pelmor-2.1.0.dmg"_s, available(urlText(u"/files/pelmor-2.1.0.dmg"_s))},
        {u""_s, available(urlText(u"/releases/pelmor-2.1.0.dmg"_s))},
        {u" \n "_s, available(urlText(u"/releases/pelmor-2.1.0.dmg"_s))},
        {u"$(DOWNLOAD_URL)"_s, available(urlText(u"/releases/pelmor-2.1.0.dmg"_s))},
        {u"mailto:downloads@example.com"_s, UpdateCheckResult::checkFailed()},
        {u"ftp://downloads.example/pelmor-2.1.0.dmg"_s, UpdateCheckResult::checkFailed()},
        {u"javascript:alert(1)"_s, UpdateCheckResult::checkFailed()},
        {u"file:///Applications/Pelmor.app"_s, UpdateCheckResult::checkFailed()},
        {u"//mirror.example/pelmor-2.1.0.dmg"_s, UpdateCheckResult::checkFailed()},
        {u"http:pelmor-2.1.0.dmg"_s, UpdateCheckResult::checkFailed()},
        {u"pelmor 2.1.0%zz.dmg"_s, UpdateCheckResult::checkFailed()},
    };
    for (const auto& [reference, expected] : cases) {
        EXPECT_EQ(checkAnswering(feedAnswer(feed(121, reference))), expected)
            << reference.toStdString();
    }
}

TEST_F(AppUpdateServiceTest, TheFallbackFileNameIsOneSegmentOfTheReleasesFolder) {
    const UpdateCheckResult result =
        checkAnswering(feedAnswer(feed(121, QString(), u"../../admin?delete=1#top"_s)));
    ASSERT_EQ(result.kind(), UpdateCheckResult::Kind::updateAvailable);
    const QUrl download(result.update()->downloadUrl, QUrl::StrictMode);
    EXPECT_EQ(download.path(QUrl::FullyEncoded),
              u"/releases/pelmor-..%2F..%2Fadmin%3Fdelete%3D1%23top.dmg"_s);
    EXPECT_EQ(download.path(QUrl::FullyDecoded),
              u"/releases/pelmor-../../admin?delete=1#top.dmg"_s);
    EXPECT_FALSE(download.hasQuery());
    EXPECT_FALSE(download.hasFragment());
    EXPECT_EQ(download.host(), u"127.0.0.1"_s);
    EXPECT_EQ(result.update()->version, u"../../admin?delete=1#top"_s)
        << "kept as the feed gave it";
}

TEST_F(AppUpdateServiceTest, ARedirectIsFollowed) {
    server.answer(u"/v1/update"_s, Answer(302).header("Location", "/v2/update"));
    server.answer(u"/v2/update"_s, feedAnswer(feed(121, u"pelmor-2.1.0.dmg"_s)));
    EXPECT_EQ(check(), available(urlText(u"/releases/pelmor-2.1.0.dmg"_s)));
    EXPECT_EQ(requestedPaths(), (QStringList{u"/v1/update"_s, u"/v2/update"_s}));
}

TEST_F(AppUpdateServiceTest, AServerThatNeverAnswersFailsTheCheckAtTheTimeOut) {
    server.answer(u"/v1/update"_s, Answer(200).hanging());
    auto outcome = start(0.5);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() > 0; }));
    runtime.advance(0.49);
    pumpFor(runtime, 20);
    EXPECT_FALSE(outcome.isFinished());
    runtime.advance(0.01);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
    EXPECT_EQ(outcome.value(), UpdateCheckResult::checkFailed());
}

TEST_F(AppUpdateServiceTest, AServerThatDribblesItsAnswerFailsTheCheckAtTheTimeOut) {
    const QByteArray body = feed(121, u"pelmor-2.1.0.dmg"_s) + QByteArray(64 * 1024, ' ');
    server.answer(u"/v1/update"_s, feedAnswer(body).paced(200));
    auto outcome = start(0.5);
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() > 0; }));
    // Bytes keep coming: each step lets some arrive, then moves less than the time-out on.
    for (int step = 0; step < 10 && !outcome.isFinished(); ++step) {
        pumpFor(runtime, 100);
        runtime.advance(0.2);
    }
    ASSERT_TRUE(pumpUntil(
        runtime, [&] { return outcome.isFinished(); }, 100));
    EXPECT_EQ(outcome.value(), UpdateCheckResult::checkFailed());
    EXPECT_LE(runtime.clock().elapsedNanoseconds(), 600'000'000u);
}

TEST_F(AppUpdateServiceTest, TheBodyIsReadUpTo256KiB) {
    const QByteArray feedBody = feed(121, u"pelmor-2.1.0.dmg"_s);
    const qsizetype bound = AppUpdateService::maximumResponseBytes;
    ASSERT_EQ(bound, 256 * 1024);
    EXPECT_EQ(checkAnswering(feedAnswer(feedBody + QByteArray(bound - feedBody.size(), ' '))),
              available(urlText(u"/releases/pelmor-2.1.0.dmg"_s)));
    EXPECT_EQ(checkAnswering(feedAnswer(feedBody + QByteArray(bound - feedBody.size() + 1, ' '))),
              UpdateCheckResult::checkFailed());
}

TEST_F(AppUpdateServiceTest, TransportFailuresAndCancellationFailTheCheck) {
    EXPECT_EQ(checkAnswering(feedAnswer(feed(121, u"pelmor-2.1.0.dmg"_s)).droppedAfter(0)),
              UpdateCheckResult::checkFailed());

    server.answer(u"/v1/update"_s, Answer(200).hanging());
    auto outcome = start();
    ASSERT_TRUE(pumpUntil(runtime, [&] { return server.answersInProgress() > 0; }));
    outcome.handle.cancel();
    ASSERT_TRUE(pumpUntil(runtime, [&] { return outcome.isFinished(); }));
    EXPECT_EQ(outcome.value(), UpdateCheckResult::checkFailed());
}

// Configuration, without the network.

TEST_F(AppUpdateServiceTest, AConfiguredURLIsATrimmedWebURLWithoutPlaceholders) {
    EXPECT_EQ(AppUpdateService::parseConfiguredURL(u"  HTTPS://Updates.Example:8443/v1/update\n"_s),
              QUrl(u"https://updates.example:8443/v1/update"_s));
    EXPECT_EQ(AppUpdateService::parseConfiguredURL(u"http://127.0.0.1/feed?x=1"_s),
              QUrl(u"http://127.0.0.1/feed?x=1"_s));
    for (const QString& rejected :
         {u""_s, u" \t\n"_s, u"$(PELMOR_UPDATE_API_URL)"_s, u"https://updates.example/$(PATH)"_s,
          u"ftp://updates.example/v1/update"_s, u"file:///etc/passwd"_s,
          u"updates.example/v1/update"_s, u"http:///v1/update"_s, u"https://updates.example/%zz"_s,
          u"https://[::1/v1/update"_s}) {
        EXPECT_FALSE(AppUpdateService::parseConfiguredURL(rejected)) << rejected.toStdString();
    }
}

TEST_F(AppUpdateServiceTest, EndpointsComeFromTheEnvironmentThenTheBundleThenTheDefault) {
    const BundleInfo configuredBundle(
        {{BundleKeys::updateAPIURL, u"https://bundle.example/feed"_s},
         {BundleKeys::updateDownloadBaseURL, u"https://bundle.example/files"_s}});
    const QProcessEnvironment environment =
        environmentWith({{apiVariable, u" https://env.example/feed "_s},
                         {baseVariable, u"https://env.example/dl?channel=beta"_s}});
    EXPECT_EQ(AppUpdateService::resolveUpdateURL(configuredBundle, environment),
              QUrl(u"https://env.example/feed"_s));
    EXPECT_EQ(AppUpdateService::resolveUpdateDownloadBaseURL(configuredBundle, environment),
              QUrl(u"https://env.example/dl/?channel=beta"_s));

    const QProcessEnvironment rejected =
        environmentWith({{apiVariable, u"ftp://env.example/feed"_s}, {baseVariable, u"$(BASE)"_s}});
    EXPECT_EQ(AppUpdateService::resolveUpdateURL(configuredBundle, rejected),
              QUrl(u"https://bundle.example/feed"_s));
    EXPECT_EQ(AppUpdateService::resolveUpdateDownloadBaseURL(configuredBundle, rejected),
              QUrl(u"https://bundle.example/files/"_s));

    const BundleInfo placeholders({{BundleKeys::updateAPIURL, u"$(UPDATE_API_URL)"_s},
                                   {BundleKeys::updateDownloadBaseURL, u"   "_s}});
    const QUrl defaultURL = AppUpdateService::resolveUpdateURL(placeholders, rejected);
    EXPECT_EQ(defaultURL.scheme(), u"https"_s);
    EXPECT_FALSE(defaultURL.host().isEmpty());
    EXPECT_EQ(defaultURL.path(), u"/v1/update"_s);
    const auto defaultBase = AppUpdateService::resolveUpdateDownloadBaseURL(placeholders, rejected);
    ASSERT_TRUE(defaultBase);
    EXPECT_EQ(defaultBase->scheme(), u"https"_s);
    EXPECT_EQ(defaultBase->host(), defaultURL.host());
    EXPECT_EQ(defaultBase->path(), u"/releases/"_s);
}

TEST_F(AppUpdateServiceTest, ADownloadBaseBecomesADirectory) {
    const auto directory = [](const QString& text) {
        return AppUpdateService::normalizedDirectoryURL(QUrl(text)).toString(QUrl::FullyEncoded);
    };
    EXPECT_EQ(directory(u"https://dl.example/releases"_s), u"https://dl.example/releases/"_s);
    EXPECT_EQ(directory(u"https://dl.example/releases/"_s), u"https://dl.example/releases/"_s);
    EXPECT_EQ(directory(u"https://dl.example"_s), u"https://dl.example/"_s);
    EXPECT_EQ(directory(u"https://dl.example:8443/a%20b?channel=beta#notes"_s),
              u"https://dl.example:8443/a%20b/?channel=beta#notes"_s);

    const AppUpdateService service(QUrl(u"https://feed.example/v1/update"_s),
                                   QUrl(u"https://dl.example/releases"_s), 120,
                                   URLSession(&manager));
    EXPECT_EQ(service.updateDownloadBaseURL(), QUrl(u"https://dl.example/releases/"_s));
    EXPECT_EQ(service.resolveDownloadURL(u"pelmor-2.1.0.dmg"_s, u"2.1.0"_s),
              QUrl(u"https://dl.example/releases/pelmor-2.1.0.dmg"_s));
}

TEST_F(AppUpdateServiceTest, WithoutADownloadBaseOnlyAbsoluteReferencesResolve) {
    const AppUpdateService service(QUrl(u"https://feed.example/v1/update"_s), std::nullopt, 120,
                                   URLSession(&manager));
    EXPECT_FALSE(service.fallbackDownloadURL(u"2.1.0"_s));
    EXPECT_FALSE(service.resolveDownloadURL(u""_s, u"2.1.0"_s));
    EXPECT_FALSE(service.resolveDownloadURL(u"pelmor-2.1.0.dmg"_s, u"2.1.0"_s));
    EXPECT_EQ(service.resolveDownloadURL(u"https://dl.example/p.dmg"_s, u"2.1.0"_s),
              QUrl(u"https://dl.example/p.dmg"_s));
}

TEST_F(AppUpdateServiceTest, TheBuildNumberIsADecimalSixtyFourBitInteger) {
    const auto buildNumber = [](std::optional<QString> text) {
        BundleInfo::Dictionary values;
        if (text) {
            values.emplace(BundleKeys::buildNumber, *text);
        }
        return AppUpdateService::resolveBuildNumber(BundleInfo(values));
    };
    EXPECT_EQ(buildNumber(u"120"_s), 120);
    EXPECT_EQ(buildNumber(u"+7"_s), 7);
    EXPECT_EQ(buildNumber(u"-3"_s), -3);
    EXPECT_EQ(buildNumber(u"9223372036854775807"_s), std::numeric_limits<std::int64_t>::max());
    for (const QString& invalid : {u"1.2.0"_s, u" 120"_s, u"120\n"_s, u""_s, u"+"_s, u"0x10"_s,
                                   u"9223372036854775808"_s, u"\u0661\u0662"_s}) {
        EXPECT_EQ(buildNumber(invalid), 0) << invalid.toStdString();
    }
    EXPECT_EQ(buildNumber(std::nullopt), 0);
}

TEST_F(AppUpdateServiceTest, ABuildNumberThatDoesNotReadIsZero) {
    bundle = BundleInfo(BundleInfo::Dictionary{{BundleKeys::buildNumber, u"1.2.0"_s}});
    EXPECT_EQ(checkAnswering(feedAnswer(feed(0, u"pelmor-2.1.0.dmg"_s))),
              UpdateCheckResult::upToDate());
    EXPECT_EQ(checkAnswering(feedAnswer(feed(1, u"pelmor-2.1.0.dmg"_s))),
              available(urlText(u"/releases/pelmor-2.1.0.dmg"_s), 1));
}
