#include "Platform/Symbols/SymbolMap.h"

#include "Platform/Symbols/SymbolImage.h"
#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList knownNames{u"wrench.and.screwdriver"_s,
                             u"gearshape"_s,
                             u"chevron.left"_s,
                             u"chevron.right"_s,
                             u"scope"_s,
                             u"dot.radiowaves.left.and.right"_s,
                             u"speedometer"_s,
                             u"point.3.connected.trianglepath.dotted"_s,
                             u"wifi.exclamationmark"_s,
                             u"wifi"_s,
                             u"square.and.arrow.up.on.square"_s,
                             u"square.and.arrow.up"_s,
                             u"square.on.square"_s,
                             u"doc.on.doc"_s,
                             u"info.circle"_s,
                             u"slider.horizontal.3"_s,
                             u"exclamationmark.triangle.fill"_s,
                             u"exclamationmark.circle.fill"_s,
                             u"checkmark.circle.fill"_s,
                             u"checkmark.seal.fill"_s,
                             u"xmark.circle.fill"_s,
                             u"pause.circle.fill"_s,
                             u"arrow.down.circle.fill"_s,
                             u"arrow.forward.circle.fill"_s,
                             u"arrow.uturn.backward.circle.fill"_s,
                             u"arrow.clockwise"_s,
                             u"arrow.down"_s,
                             u"arrow.up"_s};

// The glyphs the symbol font shapes `text` into.
qsizetype glyphCount(const QString& text) {
    QFont font(SymbolImage::fontFamily);
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoFontMerging);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    qsizetype count = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        count += run.glyphIndexes().size();
    }
    return count;
}

} // namespace

TEST(SymbolMapTest, NamesMapToTheirLigatures) {
    EXPECT_EQ(SymbolMap::ligature(u"wrench.and.screwdriver"_s), u"handyman"_s);
    EXPECT_EQ(SymbolMap::ligature(u"info.circle"_s), u"info_outline"_s);
    EXPECT_EQ(SymbolMap::ligature(u"wifi.exclamationmark"_s),
              u"signal_wifi_statusbar_connected_no_internet_4"_s);
    EXPECT_EQ(SymbolMap::ligature(u"square.and.arrow.up.on.square"_s), u"ios_share"_s);
    EXPECT_EQ(SymbolMap::ligature(u"square.and.arrow.up"_s), u"ios_share"_s);
    EXPECT_EQ(SymbolMap::ligature(u"doc.on.doc"_s), u"file_copy"_s);
}

TEST(SymbolMapTest, UnknownNamesHaveNoLigature) {
    EXPECT_EQ(SymbolMap::ligature(u"no.such.symbol"_s), std::nullopt);
    EXPECT_EQ(SymbolMap::ligature(QString()), std::nullopt);
    EXPECT_EQ(SymbolMap::ligature(u"Wifi"_s), std::nullopt);
    EXPECT_EQ(SymbolMap::ligature(u"wifi "_s), std::nullopt);
}

// A misspelt ligature would draw as a row of letter glyphs instead of one icon.
TEST(SymbolMapTest, EveryLigatureIsOneGlyphOfTheSymbolFont) {
    for (const QString& name : knownNames) {
        const std::optional<QString> ligature = SymbolMap::ligature(name);
        ASSERT_TRUE(ligature) << name.toStdString();
        EXPECT_EQ(glyphCount(*ligature), 1) << name.toStdString();
    }
}
