#include "Platform/Bundle/BundleInfo.h"

#include "Platform/Bundle/BundleKeys.h"
#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <optional>

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QString> configured(const char* value) {
    const QString text = QString::fromUtf8(value);
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

} // namespace

TEST(BundleInfoTest, AnInjectedDictionaryAnswersItsKeysAndNoOthers) {
    const BundleInfo bundle({{BundleKeys::buildID, u"abc1234"_s}, {u"Empty"_s, QString()}},
                            u"/opt/pelmor/pelmor"_s);
    EXPECT_EQ(bundle.value(BundleKeys::buildID), u"abc1234"_s);
    EXPECT_EQ(bundle.value(u"Empty"_s), QString());
    EXPECT_EQ(bundle.value(BundleKeys::releaseDate), std::nullopt);
    EXPECT_EQ(bundle.value(u"buildid"_s), std::nullopt);
    EXPECT_EQ(bundle.executablePath(), u"/opt/pelmor/pelmor"_s);
}

TEST(BundleInfoTest, TheMainBundleCarriesTheConfiguredBuild) {
    const BundleInfo bundle = BundleInfo::mainBundle();
    EXPECT_EQ(bundle.value(BundleKeys::shortVersion), QString::fromUtf8(PELMOR_PROJECT_VERSION));

    bool isNumber = false;
    EXPECT_GE(bundle.value(BundleKeys::buildNumber).value_or(QString()).toLongLong(&isNumber), 1);
    EXPECT_TRUE(isNumber);

    const QString buildID = bundle.value(BundleKeys::buildID).value_or(QString());
    EXPECT_TRUE(buildID == u"unknown"_s ||
                QRegularExpression(u"^[0-9a-f]{4,40}$"_s).match(buildID).hasMatch())
        << buildID.toStdString();

    const QString releaseDate = bundle.value(BundleKeys::releaseDate).value_or(QString());
    EXPECT_TRUE(QDate::fromString(releaseDate, Qt::ISODate).isValid()) << releaseDate.toStdString();
    EXPECT_EQ(releaseDate.size(), 10);

    EXPECT_EQ(bundle.value(BundleKeys::updateAPIURL), configured(PELMOR_CONFIGURED_UPDATE_API_URL));
    EXPECT_EQ(bundle.value(BundleKeys::updateDownloadBaseURL),
              configured(PELMOR_CONFIGURED_UPDATE_DOWNLOAD_BASE_URL));
    EXPECT_EQ(bundle.executablePath(), QCoreApplication::applicationFilePath());
}
