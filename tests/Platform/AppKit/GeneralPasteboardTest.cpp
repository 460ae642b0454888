#include "Platform/AppKit/GeneralPasteboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TEST(GeneralPasteboardTest, HoldsTheWholeTextAsPlainTextAlone) {
    GeneralPasteboard pasteboard;
    const QString text = QStringLiteral("{\n  \"ssid\" : \"Caf\u00E9 <b>\"\n}");
    pasteboard.clearContents();
    ASSERT_TRUE(pasteboard.setString(text));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), text);
    EXPECT_FALSE(data->hasHtml());
    pasteboard.clearContents();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}
