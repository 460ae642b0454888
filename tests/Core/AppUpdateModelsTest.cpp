#include "Core/AppUpdateModels.h"

#include "Support/AppUpdatePrinters.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject feedObject() {
    return QJsonObject{{u"version"_s, u"2.1.0"_s},
                       {u"buildNumber"_s, 121},
                       {u"releaseDate"_s, u"2025-03-14"_s},
                       {u"downloadUrl"_s, u"pelmor-2.1.0.dmg"_s}};
}

std::optional<AvailableUpdate> decode(const QJsonObject& object) {
    return AvailableUpdate::fromJSON(QJsonDocument(object).toJson());
}

QJsonObject with(QJsonObject object, const QString& key, const QJsonValue& value) {
    object.insert(key, value);
    return object;
}

const AvailableUpdate required{.version = u"2.1.0"_s,
                               .buildNumber = 121,
                               .releaseDate = u"2025-03-14"_s,
                               .downloadUrl = u"pelmor-2.1.0.dmg"_s,
                               .releaseNotes = std::nullopt,
                               .minimumSystemVersion = std::nullopt};

} // namespace

TEST(AppUpdateModelsTest, DecodesEveryFieldKeepsTextsVerbatimAndIgnoresOtherKeys) {
    QJsonObject object = feedObject();
    object.insert(u"releaseDate"_s, u" next Tuesday "_s);
    object.insert(u"releaseNotes"_s, u"Faster scans."_s);
    object.insert(u"minimumSystemVersion"_s, u"13.0"_s);
    object.insert(u"channel"_s, u"beta"_s);
    object.insert(u"sha256"_s, QJsonObject{{u"x"_s, 1}});
    AvailableUpdate expected = required;
    expected.releaseDate = u" next Tuesday "_s;
    expected.releaseNotes = u"Faster scans."_s;
    expected.minimumSystemVersion = u"13.0"_s;
    EXPECT_EQ(decode(object), expected);
}

TEST(AppUpdateModelsTest, OptionalKeysMayBeMissingOrNullButNotOfAnotherType) {
    EXPECT_EQ(decode(feedObject()), required);
    const QJsonObject nulls = with(with(feedObject(), u"releaseNotes"_s, QJsonValue::Null),
                                   u"minimumSystemVersion"_s, QJsonValue::Null);
    EXPECT_EQ(decode(nulls), required);
    EXPECT_FALSE(decode(with(feedObject(), u"releaseNotes"_s, 3)));
    EXPECT_FALSE(decode(with(feedObject(), u"minimumSystemVersion"_s, QJsonArray())));
}

TEST(AppUpdateModelsTest, EveryRequiredKeyMustBePresentWithItsType) {
    for (const QString& key :
         {u"version"_s, u"buildNumber"_s, u"releaseDate"_s, u"downloadUrl"_s}) {
        QJsonObject missing = feedObject();
        missing.remove(key);
        EXPECT_FALSE(decode(missing)) << key.toStdString() << " missing";
        EXPECT_FALSE(decode(with(feedObject(), key, QJsonValue::Null)))
            << key.toStdString() << " null";
    }
    EXPECT_FALSE(decode(with(feedObject(), u"version"_s, 2.1)));
    EXPECT_FALSE(decode(with(feedObject(), u"downloadUrl"_s, QJsonObject())));
    EXPECT_FALSE(decode(with(feedObject(), u"buildNumber"_s, u"121"_s))) << "a number as text";
    EXPECT_FALSE(decode(with(feedObject(), u"buildNumber"_s, true)));
}

TEST(AppUpdateModelsTest, BuildNumbersAreExactSixtyFourBitIntegers) {
    const auto buildNumber = [](const char* literal) -> std::optional<std::int64_t> {
        const QByteArray json =
            R"({"version":"2","releaseDate":"d","downloadUrl":"u","buildNumber":)" +
            QByteArray(literal) + "}";
        const auto update = AvailableUpdate::fromJSON(json);
        return update ? std::optional(update->buildNumber) : std::nullopt;
    };
    EXPECT_EQ(buildNumber("9007199254740993"), 9007199254740993) << "beyond a double's precision";
    EXPECT_EQ(buildNumber("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(buildNumber("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(buildNumber("-3"), -3);
    EXPECT_EQ(buildNumber("121.0"), 121) << "an integral value written with a fraction";
    EXPECT_FALSE(buildNumber("121.5"));
    EXPECT_FALSE(buildNumber("9223372036854775808")) << "one past the largest";
    EXPECT_FALSE(buildNumber("1e300"));
}

TEST(AppUpdateModelsTest, OnlyAWellFormedJSONObjectDecodes) {
    const QByteArray valid = QJsonDocument(feedObject()).toJson();
    EXPECT_TRUE(AvailableUpdate::fromJSON(valid));
    for (const QByteArray& body :
         {QByteArray(), QByteArray("not json"), valid.left(valid.size() - 2), valid + "x",
          QJsonDocument(QJsonArray{feedObject()}).toJson(), QByteArray("\"2.1.0\""),
          QByteArray("null")}) {
        EXPECT_FALSE(AvailableUpdate::fromJSON(body)) << body.toStdString();
    }
}

TEST(AppUpdateModelsTest, EncodesTheSameKeysAndLeavesOutAbsentOptionals) {
    AvailableUpdate full = required;
    full.buildNumber = 9007199254740993;
    full.releaseNotes = u"Notes"_s;
    full.minimumSystemVersion = u"13.0"_s;
    EXPECT_EQ(AvailableUpdate::fromJSON(full.toJSON()), full);

    const QJsonObject encoded = QJsonDocument::fromJson(required.toJSON()).object();
    EXPECT_EQ(encoded.keys(),
              (QStringList{u"buildNumber"_s, u"downloadUrl"_s, u"releaseDate"_s, u"version"_s}));
    EXPECT_EQ(encoded.value(u"buildNumber"_s).toInteger(), 121);
    EXPECT_EQ(AvailableUpdate::fromJSON(required.toJSON()), required);
}
