#include "System/CommandOperandGuard.h"

#include <gtest/gtest.h>

TEST(CommandOperandGuardTest, RefusesOptionsWhitespaceControlsAndEmptyText) {
    for (const QString& operand :
         {QString(), QStringLiteral("-v"), QStringLiteral("+tcp"), QStringLiteral("@server"),
          QStringLiteral("a b"), QStringLiteral("a\u00a0b"), QStringLiteral("a\rb"),
          QStringLiteral("a\u007fb")}) {
        EXPECT_FALSE(isSafeCommandOperand(operand, u"-+@")) << operand.toStdString();
    }
}

TEST(CommandOperandGuardTest, AcceptsHostsAddressesAndInnerPunctuation) {
    for (const QString& operand :
         {QStringLiteral("192.0.2.1"), QStringLiteral("fe80::1%en0"), QStringLiteral("a-b.example"),
          QStringLiteral("xn--bcher-kva.example"), QStringLiteral("b\u00fccher.example")}) {
        EXPECT_TRUE(isSafeCommandOperand(operand, u"-+@")) << operand.toStdString();
    }
    // Only the given prefixes count as options.
    EXPECT_TRUE(isSafeCommandOperand(QStringLiteral("+tcp"), u"-"));
}
