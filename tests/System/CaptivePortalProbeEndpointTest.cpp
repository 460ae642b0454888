#include "System/CaptivePortalProbeEndpoint.h"

#include <gtest/gtest.h>

TEST(CaptivePortalProbeEndpointTest, IsMadeOnlyFromTextThatParsesAsAURL) {
    const auto endpoint = CaptivePortalProbeEndpoint::make(
        QStringLiteral("http://probe.test/hotspot-detect.html"), QStringLiteral("Success"));
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_EQ(endpoint->url, QUrl(QStringLiteral("http://probe.test/hotspot-detect.html")));
    EXPECT_EQ(endpoint->expectedSuccessSubstring, QStringLiteral("Success"));
    for (const QString& text :
         {QString(), QStringLiteral("http://[::1"), QStringLiteral("http://probe test/")}) {
        EXPECT_FALSE(CaptivePortalProbeEndpoint::make(text, QStringLiteral("Success")).has_value())
            << text.toStdString();
    }
}
