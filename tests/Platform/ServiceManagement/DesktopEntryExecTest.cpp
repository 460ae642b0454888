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

// What is written reads back as the same arguments; a hand-written value as
// a desktop runs it, without its field codes.
TEST(DesktopEntryExecTest, ValuesReadBackAsTheArgumentsTheyRun) {
    for (const QStringList& arguments :
         {QStringList{"/usr/bin/pelmor", "--flag"}, QStringList{"/opt/My Apps/pelmor"},
          QStringList{"/opt/a\"b", "$HOME`x`", "back\\slash", "it's", "a;b&c|d"},
          QStringList{"/opt/100%/pelmor", "%f", "line\nbreak", ""}}) {
        EXPECT_EQ(desktopEntryExecArguments(desktopEntryExecValue(arguments)), arguments)
            << arguments.join(u' ').toStdString();
    }
    const std::pair<QString, std::optional<QStringList>> handWritten[] = {
        {"pelmor", QStringList{"pelmor"}},
        {"  /usr/bin/pelmor   --x\\s--y ", QStringList{"/usr/bin/pelmor", "--x", "--y"}},
        {"\"/opt/My Apps/pelmor\" %U", QStringList{"/opt/My Apps/pelmor"}},
        {"/opt/pel\"mor b\"c", QStringList{"/opt/pelmor bc"}},
        {"\"/opt/pelmor", std::nullopt},
        {"", QStringList{}},
    };
    for (const auto& [value, arguments] : handWritten) {
        EXPECT_EQ(desktopEntryExecArguments(value), arguments) << value.toStdString();
    }
}
