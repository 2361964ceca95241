#include "settings/settings_file.h"

#include <gtest/gtest.h>

namespace lumeq {
namespace {

TEST(SettingsFile, WritesEightCrLfLinesAndReadsThemBackWithBlanks) {
    Settings written;
    written.screenshotCounter = "12";
    written.autoActivationFlag = "True";
    written.names = {"hl.exe", "  quake3.exe ", "", "élite.exe"};
    const std::string file = FormatSettings(written);
    EXPECT_EQ(file,
              "NO ELIMINAR MODIFICAR O MOVER ESTE ARCHIVO\r\n12\r\nTrue\r\nhl.exe\r\n  quake3.exe \r\n\r\n"
              "élite.exe\r\n//End\r\n");
    Settings read;
    read.names = {"x", "x", "x", "x"};
    ParseSettings(file, read);
    EXPECT_EQ(read.screenshotCounter, "12");
    EXPECT_EQ(read.autoActivationFlag, "True");
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
        EXPECT_EQ(fields.screenshotCounter, c.counter);
        EXPECT_EQ(fields.autoActivationFlag, c.flag);
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
    EXPECT_EQ(fields.screenshotCounter.size(), 10u * 1024u * 1024u);
    EXPECT_EQ(fields.autoActivationFlag, "True");
    EXPECT_EQ(fields.names[0], std::string("a\0b\x01\xFF", 5));
}

using Result = SettingsMemory::ReadResult;

std::string File(const char* counter, const char* flag, std::array<const char*, 4> names) {
    Settings fields;
    fields.screenshotCounter = counter;
    fields.autoActivationFlag = flag;
    for (std::size_t i = 0; i < 4; ++i) fields.names[i] = names[i];
    return FormatSettings(fields);
}

TEST(SettingsMemory, SentinelIsNeverStoredNorKeptAfterAFailedRead) {
    SettingsMemory memory;
    Settings fields;
    memory.AfterRead(Result::Read, File("0", "False", {"hl.exe", "", "old.exe", "cs.exe"}), fields);
    fields.names = {kNameSentinel, kNameSentinel, "typed.exe", kNameSentinel};
    EXPECT_EQ(memory.ToWrite(fields).names, (std::array<std::string, 4>{"hl.exe", "", "typed.exe", "cs.exe"}));
    // Ticking the box re-reads the file; when that read fails, the boxes get the names back.
    memory.AfterRead(Result::Failed, "", fields);
    EXPECT_EQ(fields.names, (std::array<std::string, 4>{"hl.exe", "", "typed.exe", "cs.exe"}));
}

TEST(SettingsMemory, TheStoredFlagIsTheOneConfirmedWithAceptar) {
    SettingsMemory memory;
    Settings fields;
    memory.AfterRead(Result::Read, File("0", "False", {"hl.exe", "", "", ""}), fields);
    // Ticked, then "Otros programas" re-reads the stored "False"; a screenshot meanwhile
    // stores what the user last confirmed, not the tick.
    fields.autoActivationFlag = "True";
    memory.AfterRead(Result::Read, File("0", "False", {"hl.exe", "", "", ""}), fields);
    fields.names[1] = "quake3.exe";
    EXPECT_EQ(memory.ToWrite(fields).autoActivationFlag, "False");
    memory.Confirm(true);  // "Aceptar" with the box ticked
    fields.autoActivationFlag = "False";
    EXPECT_EQ(memory.ToWrite(fields).autoActivationFlag, "True");
    memory.Confirm(false);
    EXPECT_EQ(memory.ToWrite(fields).autoActivationFlag, "False");
}

TEST(SettingsMemory, ARereadNeverLowersTheCounterBelowANumberUsed) {
    SettingsMemory memory;
    Settings fields;
    memory.AfterRead(Result::Read, File("5", "False", {"", "", "", ""}), fields);
    memory.CounterUsed("6");  // screen_5.jpg taken, but the file could not be written
    memory.AfterRead(Result::Read, File("5", "False", {"", "", "", ""}), fields);
    EXPECT_EQ(fields.screenshotCounter, "6");
    memory.AfterRead(Result::Read, File("900", "False", {"", "", "", ""}), fields);
    EXPECT_EQ(fields.screenshotCounter, "900");
    fields.screenshotCounter = "2";
    EXPECT_EQ(memory.ToWrite(fields).screenshotCounter, "6");
}

TEST(SettingsMemory, AFileThatCouldNotBeReadIsNeverOverwrittenUnasked) {
    SettingsMemory memory;
    Settings fields;
    fields.names[0] = "kept.exe";
    memory.AfterRead(Result::Failed, "", fields);
    EXPECT_EQ(fields.names[0], "kept.exe");
    EXPECT_FALSE(memory.MayWriteUnasked());
    memory.AfterRead(Result::Missing, "", fields);  // nothing to lose: the first write makes it
    EXPECT_TRUE(memory.MayWriteUnasked());
}

TEST(SettingsMemory, ValuesAreMadeFitForTheWindowAndTheSystem) {
    SettingsMemory memory;
    Settings fields;
    std::string content = "h\r\n  007x\r\nTr\x01ue\r\n";
    content += std::string("a\0b\x1b", 4) + "\xC2\x85" "c\xCB\x9C" "d\xFF.exe\r\n";  // NUL, ESC, U+0085, U+02DC, a bad byte
    content += std::string(400, 'x') + "\r\nÑandú.exe\r\n\r\n//End\r\n";
    memory.AfterRead(Result::Read, content, fields);
    EXPECT_EQ(fields.screenshotCounter, "7");
    EXPECT_EQ(fields.autoActivationFlag, "True");
    EXPECT_EQ(fields.names[0], "abcd.exe");
    EXPECT_EQ(fields.names[1], std::string(kMaxNameLength, 'x'));
    EXPECT_EQ(fields.names[2], "Ñandú.exe");
    Settings huge;
    memory.AfterRead(Result::Read, "h\r\n" + std::string(100, '9') + "\r\n", huge);
    EXPECT_EQ(huge.screenshotCounter, std::string(kMaxCounterDigits, '9'));
}

TEST(Counter, CountsInDecimalAndNeverWraps) {
    EXPECT_EQ(NextCounter("0"), "1");
    EXPECT_EQ(NextCounter("199"), "200");
    EXPECT_EQ(NextCounter("18446744073709551615"), "18446744073709551616");
    EXPECT_EQ(LaterCounter("18446744073709551616", "99"), "18446744073709551616");
    EXPECT_EQ(CounterDigits(" -3"), "0");
    EXPECT_EQ(CounterDigits("000"), "0");
}

}  // namespace
}  // namespace lumeq
