#include "description/ini_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scratch.h"

namespace {

using description::IniReader;
using test_support::ScratchFolder;
using test_support::WriteFileBytes;

const char kDescription[] =
    "[UNINSTALL12]\r\n"
    "APPNAME = Sample Viewer 1.5 \r\n"
    "regcount=2 entries\r\n"
    "[oth]\r\n"
    "count=3\r\n"
    "1dllocx=true\r\n"
    "2dllocx=1\r\n"
    "3dllocx=5\r\n"
    "4dllocx=0\r\n"
    "5dllocx=\r\n";

class IniReaderTest : public ::testing::Test {
protected:
    ScratchFolder scratch_{"ini-reader"};
    std::string path_ = scratch_ / "Uninstall.ini";
};

TEST_F(IniReaderTest, ReadsValuesOfARealFile) {
    WriteFileBytes(path_, kDescription);
    IniReader reader(path_);
    reader.SetSection("uninstall12");
    EXPECT_EQ(reader.ReadString("appname", ""), "Sample Viewer 1.5");
    EXPECT_EQ(reader.ReadInteger("regcount", 0), 2);
    reader.SetSection("Oth");
    EXPECT_EQ(reader.ReadInteger("COUNT", 0), 3);
    EXPECT_EQ(reader.ReadString("appname", "none"), "none");
}

TEST_F(IniReaderTest, ReadsFlagsAsNonZeroNumbers) {
    WriteFileBytes(path_, kDescription);
    IniReader reader(path_);
    reader.SetSection("oth");
    struct Case {
        const char* key;
        bool expected;
    };
    const Case cases[] = {
        {"1dllocx", false}, {"2dllocx", true},  {"3dllocx", true},
        {"4dllocx", false}, {"5dllocx", false}, {"6dllocx", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(reader.ReadBoolean(c.key, false), c.expected);
    }
    // The default counts only where the value is missing or empty.
    EXPECT_TRUE(reader.ReadBoolean("5dllocx", true));
    EXPECT_TRUE(reader.ReadBoolean("6dllocx", true));
    EXPECT_FALSE(reader.ReadBoolean("1dllocx", true));
}

TEST_F(IniReaderTest, GivesTheDefaultsForWhatIsMissing) {
    WriteFileBytes(path_, kDescription);
    struct Case {
        const char* name;
        std::string path;
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"missing file", scratch_ / "Absent.ini", "uninstall12", "appname"},
        {"empty path", "", "uninstall12", "appname"},
        {"folder", scratch_.Path(), "uninstall12", "appname"},
        {"missing section", path_, "lnk", "appname"},
        {"missing key", path_, "uninstall12", "text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniReader reader(c.path);
        reader.SetSection(c.section);
        EXPECT_EQ(reader.ReadString(c.key, "default"), "default");
        EXPECT_EQ(reader.ReadInteger(c.key, 42), 42);
        EXPECT_FALSE(reader.ReadBoolean(c.key, false));
        EXPECT_TRUE(reader.ReadBoolean(c.key, true));
    }
}

TEST_F(IniReaderTest, CutsLongValuesAfter2047Bytes) {
    const std::string exact(2047, 'e');
    const std::string longer = std::string(2047, 'l') + "cut";
    WriteFileBytes(path_, "[s]\r\nexact=" + exact + "\r\nlonger=" + longer + "\r\n");
    IniReader reader(path_);
    reader.SetSection("s");
    EXPECT_EQ(reader.ReadString("exact", ""), exact);
    EXPECT_EQ(reader.ReadString("longer", ""), std::string(2047, 'l'));
}

TEST_F(IniReaderTest, ReadsUnicodeFilesWithByteOrderMarkAsAnsiText) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the ANSI code page 1252";
    // "Caf\xe9" is the code-page-1252 form of the name; each file holds it
    // in its own encoding.
    const std::string ansi = "[uninstall12]\r\nappname=Caf\xe9 Viewer\r\n";
    const std::string utf8 = "\xEF\xBB\xBF[uninstall12]\r\nappname=Caf\xC3\xA9 Viewer\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : ansi) {
        utf16 += c;
        utf16 += '\0';
    }
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {{"ANSI", ansi}, {"UTF-8", utf8}, {"UTF-16LE", utf16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path_, c.bytes);
        IniReader reader(path_);
        reader.SetSection("uninstall12");
        EXPECT_EQ(reader.ReadString("appname", ""), "Caf\xe9 Viewer");
    }
}

TEST_F(IniReaderTest, SeesTheFileAsItIsAtEachRead) {
    IniReader reader(path_);
    reader.SetSection("uninstall12");
    EXPECT_EQ(reader.ReadString("appname", "none"), "none");

    WriteFileBytes(path_, "[uninstall12]\r\nappname=First\r\n");
    EXPECT_EQ(reader.ReadString("appname", "none"), "First");

    WriteFileBytes(path_, "[uninstall12]\r\nappname=A second, longer name\r\nregcount=4\r\n");
    EXPECT_EQ(reader.ReadString("appname", "none"), "A second, longer name");
    EXPECT_EQ(reader.ReadInteger("regcount", 0), 4);

    ASSERT_TRUE(DeleteFileA(path_.c_str()));
    EXPECT_EQ(reader.ReadString("appname", "none"), "none");
    EXPECT_EQ(reader.ReadInteger("regcount", 0), 0);
}

}  // namespace
