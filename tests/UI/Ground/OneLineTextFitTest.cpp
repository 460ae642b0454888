#include "UI/Ground/OneLineTextFit.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/PopoverTheme.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

OneLineTextStyle style(double minimumScale, Qt::TextElideMode mode = Qt::ElideRight,
                       bool monospacedDigits = false) {
    return {.font = PopoverTheme::metricValueFont(),
            .minimumScale = minimumScale,
            .elideMode = mode,
            .monospacedDigits = monospacedDigits};
}

double widthAt(const QString& text, int pixelSize, bool monospacedDigits = false) {
    QFont font = PopoverTheme::metricValueFont();
    font.setPixelSize(pixelSize);
    return OneLineTextFit::widthOf(text, font, monospacedDigits);
}

const QString ellipsis = u"\u2026"_s;

} // namespace

TEST(OneLineTextFitTest, TextThatFitsIsDrawnWholeAtFullSize) {
    const QString text = u"866 Mbps"_s;
    EXPECT_EQ(OneLineTextFit::fitting(text, style(0.8), widthAt(text, 12)),
              (OneLineTextFit{12, text}));
    EXPECT_EQ(OneLineTextFit::fitting(QString(), style(0.8), 0), (OneLineTextFit{12, QString()}));
}

TEST(OneLineTextFitTest, TooWideTextShrinksToTheLargestSizeThatFits) {
    const QString text = u"1,204.5 ms"_s;
    const double width = widthAt(text, 11);
    ASSERT_GT(widthAt(text, 12), width);
    EXPECT_EQ(
        OneLineTextFit::fitting(text, style(0.8, Qt::ElideRight, true), widthAt(text, 11, true)),
        (OneLineTextFit{11, text}));
    EXPECT_EQ(OneLineTextFit::fitting(text, style(0.8), width), (OneLineTextFit{11, text}));
}

// 12 pt at 0.8 may go down to 9.6 pt: whole pixels stop at 10.
TEST(OneLineTextFitTest, TextNeverShrinksBelowTheMinimumScaleAndIsThenCut) {
    const QString text = u"12,345,678.9 ms"_s;
    const double width = 64;
    ASSERT_GT(widthAt(text, 10, true), width);
    const OneLineTextFit fit =
        OneLineTextFit::fitting(text, style(0.8, Qt::ElideRight, true), width);
    EXPECT_EQ(fit.pixelSize, 10);
    EXPECT_TRUE(fit.text.endsWith(ellipsis));
    EXPECT_TRUE(text.startsWith(fit.text.chopped(1)));
    EXPECT_LE(widthAt(fit.text, 10, true), width);
    // One more character would not have fitted.
    EXPECT_GT(widthAt(text.left(fit.text.size()) + ellipsis, 10, true), width);
}

TEST(OneLineTextFitTest, AScaleOfOneCutsWithoutShrinking) {
    const QString text = u"Airport Lounge Free Wi-Fi Terminal 2"_s;
    const OneLineTextFit fit = OneLineTextFit::fitting(text, style(1), 100);
    EXPECT_EQ(fit.pixelSize, 12);
    EXPECT_TRUE(fit.text.endsWith(ellipsis));
    EXPECT_LE(widthAt(fit.text, 12), 100);
}

TEST(OneLineTextFitTest, AMiddleCutKeepsBothEnds) {
    const QString url = u"https://login.example.com/portal/session/start?venue=terminal-2"_s;
    const OneLineTextFit fit = OneLineTextFit::fitting(url, style(1, Qt::ElideMiddle), 180);
    const qsizetype cut = fit.text.indexOf(ellipsis);
    ASSERT_GT(cut, 0);
    EXPECT_TRUE(url.startsWith(fit.text.left(cut)));
    EXPECT_TRUE(url.endsWith(fit.text.sliced(cut + 1)));
    EXPECT_FALSE(fit.text.sliced(cut + 1).isEmpty());
    EXPECT_LE(widthAt(fit.text, 12), 180);
}

TEST(OneLineTextFitTest, ACutNeverSplitsACharacterOutsideTheBasicPlane) {
    const QString text = u"\U0001F4F6\U0001F4F6\U0001F4F6\U0001F4F6\U0001F4F6\U0001F4F6"_s;
    for (const Qt::TextElideMode mode : {Qt::ElideRight, Qt::ElideMiddle, Qt::ElideLeft}) {
        for (double width = 10; width < widthAt(text, 12); width += 3) {
            const QString drawn = OneLineTextFit::fitting(text, style(1, mode, true), width).text;
            for (qsizetype index = 0; index < drawn.size(); ++index) {
                if (drawn.at(index).isHighSurrogate()) {
                    ASSERT_LT(index + 1, drawn.size());
                    EXPECT_TRUE(drawn.at(index + 1).isLowSurrogate());
                    ++index;
                } else {
                    EXPECT_FALSE(drawn.at(index).isLowSurrogate()) << drawn.toStdString();
                }
            }
        }
    }
}
