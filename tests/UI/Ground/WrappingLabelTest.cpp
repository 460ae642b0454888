#include "UI/Ground/WrappingLabel.h"

#include "UI/Ground/PopoverTheme.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace {

WrappingLabel label(const QString& text) {
    return WrappingLabel(text, PopoverTheme::microFont(), PopoverTheme::secondaryText());
}

} // namespace

TEST(WrappingLabelTest, ALongSentenceWrapsAndGrowsTaller) {
    const WrappingLabel sentence =
        label(u"Captive portal detected. Login may be required before internet access works."_s);
    EXPECT_EQ(sentence.lineCount(1000), 1);
    EXPECT_GE(sentence.lineCount(150), 3);
    EXPECT_GT(sentence.heightForWidth(150), 2 * sentence.heightForWidth(1000));
    EXPECT_EQ(sentence.accessibleName(), sentence.text());
}

// A URL has no word breaks; it still wraps instead of running past the edge.
TEST(WrappingLabelTest, AWordWiderThanTheLabelBreaksInsideTheWord) {
    const WrappingLabel url =
        label(u"https://login.hotspot-provider.example.com/portal/v2/session/start"_s);
    EXPECT_GE(url.lineCount(100), 3);
}

TEST(WrappingLabelTest, ALineFeedStartsANewLine) {
    EXPECT_EQ(label(u"First line\nSecond line"_s).lineCount(1000), 2);
}

TEST(WrappingLabelTest, ANewTextChangesTheHeight) {
    WrappingLabel status = label(u"Short."_s);
    const int before = status.heightForWidth(120);
    status.setText(u"Connection monitor failed to read TCP states. Retrying at the next poll."_s);
    EXPECT_GT(status.heightForWidth(120), before);
}

// Measured once and asked again, a label answers for its current text and
// width, as a label made with that text does.
TEST(WrappingLabelTest, MeasurementsFollowTheTextAndTheWidth) {
    const QString texts[] = {
        u"Short."_s,
        u"Connection monitor failed to read TCP states. Retrying at the next poll."_s,
        u"A somewhat longer line."_s,
        u"Short."_s,
    };
    WrappingLabel status = label(texts[0]);
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        status.setText(text);
        for (int width : {120, 300, 120}) {
            EXPECT_EQ(status.heightForWidth(width), label(text).heightForWidth(width)) << width;
        }
        EXPECT_EQ(status.sizeHint(), label(text).sizeHint());
    }
}

namespace {

// The horizontal centre of the ink in the rows [top, bottom) of `image`; -1
// without ink.
double inkCentre(const QImage& image, int top, int bottom) {
    int left = image.width();
    int right = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < 0 ? -1 : (left + right + 1) / 2.0;
}

} // namespace

TEST(WrappingLabelTest, CentredLinesEachSitInTheMiddleAndKeepTheirHeight) {
    WrappingLabel centred = label(u"A rather longer first line\nshort"_s);
    const int leadingHeight = centred.heightForWidth(300);
    EXPECT_EQ(centred.alignment(), Qt::AlignLeading);
    centred.setAlignment(Qt::AlignHCenter);
    EXPECT_EQ(centred.heightForWidth(300), leadingHeight);
    centred.resize(300, leadingHeight);
    QImage image(centred.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    centred.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const int lineHeight = leadingHeight / 2;
    EXPECT_NEAR(inkCentre(image, 0, lineHeight), 150, 2);
    EXPECT_NEAR(inkCentre(image, lineHeight, leadingHeight), 150, 2);
}

TEST(WrappingLabelTest, LeadingLinesStartAtTheLeftEdge) {
    WrappingLabel leading = label(u"short"_s);
    leading.resize(300, leading.heightForWidth(300));
    QImage image(leading.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    leading.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_LT(inkCentre(image, 0, image.height()), 30);
}
