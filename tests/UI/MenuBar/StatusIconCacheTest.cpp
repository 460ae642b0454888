#include "UI/MenuBar/StatusIconCache.h"

#include <gtest/gtest.h>

#include <QPixmap>

namespace {

QIcon someIcon() {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::blue);
    return QIcon(pixmap);
}

} // namespace

TEST(StatusIconCacheTest, EachLookIsComposedOnceAndHandedOutAsTheSamePicture) {
    int compositions = 0;
    StatusIconCache cache([&](const MenuBarIconStyle& style, const QString&) {
        ++compositions;
        return style.badgeSymbolName == QStringLiteral("no.such.symbol")
                   ? std::nullopt
                   : std::optional<QIcon>(someIcon());
    });
    const MenuBarIconStyle good{"checkmark.circle.fill", MenuBarBadgeTint::none};
    const MenuBarIconStyle goodGreen{"checkmark.circle.fill", MenuBarBadgeTint::green};
    const MenuBarIconStyle poor{"xmark.circle.fill", MenuBarBadgeTint::none};

    const auto first = cache.icon(good, "pelmor status good");
    ASSERT_TRUE(first.has_value());
    cache.icon(poor, "pelmor status poor");
    const auto again = cache.icon(good, "pelmor status good");
    ASSERT_TRUE(again.has_value());
    // The same picture object: Qt's pixmap cache finds its scaled copies again.
    EXPECT_EQ(again->cacheKey(), first->cacheKey());
    EXPECT_EQ(compositions, 2);

    // The tint and the description are part of the look.
    EXPECT_NE(cache.icon(goodGreen, "pelmor status good")->cacheKey(), first->cacheKey());
    EXPECT_NE(cache.icon(good, "pelmor status warning")->cacheKey(), first->cacheKey());
    EXPECT_EQ(compositions, 4);

    // What cannot be composed is asked for again next time.
    EXPECT_FALSE(cache.icon({"no.such.symbol", MenuBarBadgeTint::none}, "x").has_value());
    EXPECT_FALSE(cache.icon({"no.such.symbol", MenuBarBadgeTint::none}, "x").has_value());
    EXPECT_EQ(compositions, 6);
}
