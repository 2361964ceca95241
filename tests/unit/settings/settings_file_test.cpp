#include "settings/settings_file.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

TEST(SettingsFile, WritesEightCrLfLinesAndReadsThemBackWithBlanks) {
    Settings written;
    written.screenText = "12";
    written.txtActivacion = "True";
    written.names = {"hl.exe", "  quake3.exe ", "", "élite.exe"};
    const std::string file = FormatSettings(written);
    EXPECT_EQ(file,
              "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO\r\n12\r\nTrue\r\nhl.exe\r\n  quake3.exe \r\n\r\n"
              "élite.exe\r\n//End\r\n");
    Settings read;
    read.names = {"x", "x", "x", "x"};
    ParseSettings(file, read);
    EXPECT_EQ(read.screenText, "12");
    EXPECT_EQ(read.txtActivacion, "True");
    EXPECT_EQ(read.names, written.names);
}

TEST(SettingsFile, ReadsWhateverLinesThereAre) {
    struct Case {
        const char* content;
        const char* counter;
        const char* flag;
        const char* firstName;
        const char* lastName;
    };
    const Case cases[] = {
        // Seven lines without "//End", and no line break after the last.
        {"otra cabecera\r\n3\r\nfalse\r\nhl.exe\r\n\r\n\r\ncs.exe", "3", "false", "hl.exe", "cs.exe"},
        {"h\n5\nTrue\na.exe\nb\nc\nd.exe\n//End\n", "5", "True", "a.exe", "d.exe"},  // LF only
        {"h\r5\rTrue\ra.exe\rb\rc\rd.exe\r", "5", "True", "a.exe", "d.exe"},            // CR only
        {"h\r\n9\r\n", "9", "False", "keep", "keep"},  // short: the rest keep their values
        {"", "0", "False", "keep", "keep"},
        {"\xEF\xBB\xBFNO ELIMINAR\r\n4\r\nTrue\r\n", "4", "True", "keep", "keep"},  // a byte-order mark
    };
    for (const Case& c : cases) {
        Settings fields;
        fields.names = {"keep", "keep", "keep", "keep"};
        ParseSettings(c.content, fields);
        SCOPED_TRACE(c.content);
        EXPECT_EQ(fields.screenText, c.counter);
        EXPECT_EQ(fields.txtActivacion, c.flag);
        EXPECT_EQ(fields.names[0], c.firstName);
        EXPECT_EQ(fields.names[3], c.lastName);
    }
}

TEST(SettingsFile, BinaryBytesAndHugeLinesStayWhereTheyAre) {
    std::string content = "h\r\n";
    content += std::string(10 * 1024 * 1024, 'x');
    content += "\r\nTrue\r\n";
    content += std::string("a\0b\x01\xFF", 5);
    content += "\r\n";
    Settings fields;
    ParseSettings(content, fields);
    EXPECT_EQ(fields.screenText.size(), 10u * 1024u * 1024u);
    EXPECT_EQ(fields.txtActivacion, "True");
    EXPECT_EQ(fields.names[0], std::string("a\0b\x01\xFF", 5));
}

TEST(SettingsFile, SentinelIsNeverStored) {
    Settings current;
    current.txtActivacion = "False";
    current.names = {kNameSentinel, kNameSentinel, "typed.exe", kNameSentinel};
    const Settings stored = SettingsToWrite(current, {"hl.exe", "", "old.exe", "cs.exe"});
    EXPECT_EQ(stored.names, (std::array<std::string, 4>{"hl.exe", "", "typed.exe", "cs.exe"}));
    EXPECT_EQ(stored.txtActivacion, "False");
}

}  // namespace
}  // namespace lumeq
