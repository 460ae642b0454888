#include "Core/DiagnosticsExport/PrettyJSONWriter.h"

#include "Support/QStringPrinter.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string written(const JSONValue& value) {
    return PrettyJSONWriter::write(value).toStdString();
}

JSONValue object(JSONObject members) {
    return JSONValue(std::move(members));
}

} // namespace

TEST(PrettyJSONWriterTest, WritesScalarsInTheirJSONFormEscapingOnlyWhatJSONNeeds) {
    struct Case {
        JSONValue value;
        std::string expected;
    };
    const std::vector<Case> cases{
        {JSONValue(u"plain text"_s), R"("plain text")"},
        {JSONValue(u"say \"hi\""_s), R"("say \"hi\"")"},
        {JSONValue(u"C:\\temp\\"_s), R"("C:\\temp\\")"},
        {JSONValue(u"http://a.example/b/c"_s), R"("http:\/\/a.example\/b\/c")"},
        {JSONValue(u"tab\tnew\nline\rreturn"_s), R"("tab\tnew\nline\rreturn")"},
        {JSONValue(u"\b\f"_s), R"("\b\f")"},
        {JSONValue(QString(QChar(0x00)) + QChar(0x01) + QChar(0x1f)), R"("\u0000\u0001\u001f")"},
        {JSONValue(u"\x7f space"_s), "\"\x7f space\""},
        {JSONValue(u""_s), R"("")"},
        // Characters outside ASCII are written as UTF-8, not escaped.
        {JSONValue(QString::fromUtf8("Åsa’s Wi‑Fi ü 東京 📶")), "\"Åsa’s Wi‑Fi ü 東京 📶\""},
        {JSONValue(true), "true"},
        {JSONValue(false), "false"},
        {JSONValue(std::int64_t{0}), "0"},
        {JSONValue(std::int64_t{-61}), "-61"},
        {JSONValue(std::numeric_limits<std::int64_t>::max()), "9223372036854775807"},
        {JSONValue(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {JSONValue(20.0), "20"},
        {JSONValue(20.5), "20.5"},
        {JSONValue(0.1), "0.1"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.expected);
        EXPECT_EQ(written(testCase.value), testCase.expected);
    }
}

TEST(PrettyJSONWriterTest, LaysOutNestedObjectsWithSortedKeysAndNoFinalLineBreak) {
    const JSONValue value = object({
        {u"zeta"_s, JSONValue(std::int64_t{1})},
        {u"Alpha"_s, object({})},
        {u"alpha"_s, object({{u"b"_s, JSONValue(false)}, {u"a"_s, JSONValue(u"x"_s)}})},
        {u"\u00e9"_s, JSONValue(true)},
        {u"alpha2"_s, JSONValue(2.25)},
    });
    EXPECT_EQ(written(value), "{\n"
                              "  \"Alpha\" : {},\n"
                              "  \"alpha\" : {\n"
                              "    \"a\" : \"x\",\n"
                              "    \"b\" : false\n"
                              "  },\n"
                              "  \"alpha2\" : 2.25,\n"
                              "  \"zeta\" : 1,\n"
                              "  \"\xc3\xa9\" : true\n"
                              "}");
}

TEST(PrettyJSONWriterTest, RefusesNonFiniteNumbersAndUnpairedSurrogatesWithTheirPath) {
    struct Case {
        const char* name;
        JSONValue value;
        QStringList codingPath;
    };
    const QString loneSurrogate(QChar(0xd83d));
    const std::vector<Case> cases{
        {"NaN at the top", JSONValue(std::numeric_limits<double>::quiet_NaN()), {}},
        {"infinity nested",
         object({{u"a"_s, JSONValue(std::int64_t{1})},
                 {u"outer"_s,
                  object({{u"inner"_s, JSONValue(-std::numeric_limits<double>::infinity())}})}}),
         {u"outer"_s, u"inner"_s}},
        {"surrogate in a text",
         object({{u"ssid"_s, JSONValue(u"Wi"_s + loneSurrogate)}}),
         {u"ssid"_s}},
        {"surrogate in a key", object({{loneSurrogate, JSONValue(true)}}), {}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        try {
            (void)PrettyJSONWriter::write(testCase.value);
            ADD_FAILURE() << "no error raised";
        } catch (const JSONEncodingError& error) {
            EXPECT_EQ(error.codingPath(), testCase.codingPath);
            EXPECT_FALSE(error.debugDescription().isEmpty());
        }
    }
}
