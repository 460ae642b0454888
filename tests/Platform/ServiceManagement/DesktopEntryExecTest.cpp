#include "Platform/ServiceManagement/DesktopEntryExec.h"

#include <gtest/gtest.h>

TEST(DesktopEntryExecTest, PlainArgumentsStandAsTheyAre) {
    EXPECT_EQ(desktopEntryExecValue({"/usr/bin/pelmor", "--flag"}), "/usr/bin/pelmor --flag");
}

TEST(DesktopEntryExecTest, ReservedCharactersAreQuotedAndEscapedTwice) {
    // Inside quotes ", `, $ and \ take a backslash; then every backslash of
    // the value is doubled as the desktop entry string format requires.
    EXPECT_EQ(desktopEntryExecValue({"/opt/My Apps/pelmor"}), "\"/opt/My Apps/pelmor\"");
    EXPECT_EQ(desktopEntryExecValue({"/opt/a\"b"}), "\"/opt/a\\\\\"b\"");
    EXPECT_EQ(desktopEntryExecValue({"/opt/$HOME`x`"}), "\"/opt/\\\\$HOME\\\\`x\\\\`\"");
    EXPECT_EQ(desktopEntryExecValue({"/opt/back\\slash"}), "\"/opt/back\\\\\\\\slash\"");
    EXPECT_EQ(desktopEntryExecValue({"/opt/it's"}), "\"/opt/it's\"");
    EXPECT_EQ(desktopEntryExecValue({"/opt/a;b&c|d"}), "\"/opt/a;b&c|d\"");
}

TEST(DesktopEntryExecTest, PercentSignsAreDoubledAndControlsWrittenAsEscapes) {
    EXPECT_EQ(desktopEntryExecValue({"/opt/100%/pelmor"}), "/opt/100%%/pelmor");
    EXPECT_EQ(desktopEntryExecValue({"/opt/line\nbreak"}), "\"/opt/line\\nbreak\"");
    EXPECT_EQ(desktopEntryExecValue({"/usr/bin/pelmor", ""}), "/usr/bin/pelmor \"\"");
}
