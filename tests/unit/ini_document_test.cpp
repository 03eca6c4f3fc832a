#include "description/ini_document.h"
#include "description/numbered_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using description::IniDocument;
using description::LeadingEntryNumber;
using description::ParseInteger;

// The value of a key, or "<missing>" so that a missing key and an empty
// value cannot be mistaken for each other.
std::string Value(const IniDocument& doc, std::string_view section, std::string_view key) {
    const std::string* value = doc.Find(section, key);
    return value ? *value : "<missing>";
}

TEST(IniDocument, MatchesSectionAndKeyNamesWithoutRegardToCase) {
    IniDocument doc =
        IniDocument::Parse("[OTH]\r\nCOUNT=2\r\n[Uninstall12]\r\nAppName=Sample Viewer 1.5\r\n");
    EXPECT_EQ(Value(doc, "oth", "count"), "2");
    EXPECT_EQ(Value(doc, "uninstall12", "appname"), "Sample Viewer 1.5");
    EXPECT_EQ(Value(doc, "UNINSTALL12", "APPNAME"), "Sample Viewer 1.5");
    EXPECT_EQ(Value(doc, "oth", "appname"), "<missing>");
    EXPECT_EQ(Value(doc, "lnk", "count"), "<missing>");
}

struct ValueCase {
    const char* line;  // one line of section [s], key k
    const char* expected;
};

const ValueCase kValueCases[] = {
    {"k=Sample Viewer 1.5", "Sample Viewer 1.5"},
    {"  k  =  Sample Viewer 1.5  ", "Sample Viewer 1.5"},
    {"\tk\t=\tSample\tViewer\t", "Sample\tViewer"},
    {"k=", ""},
    {"k=   ", ""},
    {"k=a=b", "a=b"},
    {"k=\" padded \"", " padded "},
    {"k='\tpadded '", "\tpadded "},
    {"k=  \"quoted\"  ", "quoted"},
    {"k=\"\"", ""},
    {"k=\"\"x\"\"", "\"x\""},  // one pair only
    {"k=\"mismatched'", "\"mismatched'"},
    {"k='mismatched\"", "'mismatched\""},
    {"k=\"", "\""},
    {"k='", "'"},
    {"k=\"open", "\"open"},
    {"k=close\"", "close\""},
    {"k=in\"side\"", "in\"side\""},
};

TEST(IniDocument, TrimsBlanksAndRemovesOnePairOfEnclosingQuotes) {
    for (const ValueCase& c : kValueCases) {
        SCOPED_TRACE(c.line);
        IniDocument doc = IniDocument::Parse(std::string("[s]\r\n") + c.line + "\r\n");
        EXPECT_EQ(Value(doc, "s", "k"), c.expected);
    }
}

TEST(IniDocument, CutsValuesAfter2047Bytes) {
    const std::string exact(2047, 'a');
    const std::string longer = std::string(2047, 'b') + "c";
    const std::string quoted = "\"" + std::string(2047, 'q') + "\"";
    IniDocument doc = IniDocument::Parse("[s]\nexact=" + exact + "\nlonger=" + longer +
                                         "\nquoted=" + quoted + "\n");
    EXPECT_EQ(Value(doc, "s", "exact"), exact);
    EXPECT_EQ(Value(doc, "s", "longer"), std::string(2047, 'b'));
    EXPECT_EQ(Value(doc, "s", "quoted"), std::string(2047, 'q'));
}

TEST(IniDocument, SplitsLinesAtCrLfLfAndCr) {
    IniDocument doc = IniDocument::Parse("[s]\r\na=1\r\nb=2\nc=3\rd=4\n\n\r\n[t]\re=5");
    EXPECT_EQ(Value(doc, "s", "a"), "1");
    EXPECT_EQ(Value(doc, "s", "b"), "2");
    EXPECT_EQ(Value(doc, "s", "c"), "3");
    EXPECT_EQ(Value(doc, "s", "d"), "4");
    EXPECT_EQ(Value(doc, "t", "e"), "5");
    EXPECT_EQ(Value(doc, "s", "e"), "<missing>");
}

TEST(IniDocument, NulEndsTheTextOfItsLineOnly) {
    using namespace std::string_literals;
    IniDocument doc = IniDocument::Parse("[s]\r\na=before\0after\r\nb=next\r\n\0c=hidden\r\n"s);
    EXPECT_EQ(Value(doc, "s", "a"), "before");
    EXPECT_EQ(Value(doc, "s", "b"), "next");
    EXPECT_EQ(Value(doc, "s", "c"), "<missing>");
}

TEST(IniDocument, IgnoresKeysOutsideSectionsLinesWithoutEqualsAndLaterDuplicates) {
    IniDocument doc = IniDocument::Parse(
        "early=1\r\n"
        "[s]\r\n"
        "; a comment\r\n"
        "no equals sign\r\n"
        "=nameless\r\n"
        "k=first\r\n"
        "K=second\r\n"
        "[t]\r\n"
        "early=2\r\n");
    EXPECT_EQ(Value(doc, "s", "early"), "<missing>");
    EXPECT_EQ(Value(doc, "t", "early"), "2");
    EXPECT_EQ(Value(doc, "s", "no equals sign"), "<missing>");
    EXPECT_EQ(Value(doc, "s", ""), "<missing>");
    EXPECT_EQ(Value(doc, "s", "k"), "first");
}

struct NumberCase {
    const char* value;
    int expected;  // with the default 77
};

const NumberCase kNumberCases[] = {
    {"2", 2},
    {"2 files", 2},
    {"10", 10},
    {"007", 7},
    {"yes", 0},
    {"true", 0},
    {"", 77},
    {"-3", -3},
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"99999999999999999999", INT_MAX},
    {"-2147483648", INT_MIN},
    {"-2147483649", INT_MIN},
    {"-99999999999999999999", INT_MIN},
};

TEST(ParseInteger, TakesTheLeadingDigits) {
    for (const NumberCase& c : kNumberCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ParseInteger(c.value, 77), c.expected);
    }
}

TEST(LeadingEntryNumber, AcceptsOnlyPlainDecimalNumbers) {
    struct Case {
        const char* name;
        int number;
        const char* rest;
    };
    const Case cases[] = {
        {"1", 1, ""},
        {"10", 10, ""},
        {"2dllocx", 2, "dllocx"},
        {"0", 0, nullptr},
        {"01", 0, nullptr},
        {"x2", 0, nullptr},
        {"", 0, nullptr},
        {"2147483647", INT_MAX, ""},
        {"2147483648", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string_view rest = "untouched";
        EXPECT_EQ(LeadingEntryNumber(c.name, &rest), c.number);
        if (c.rest) {
            EXPECT_EQ(rest, c.rest);
        }
    }
}

TEST(IniDocument, NumberedKeysAreThePlainAndSuffixedEntryNumbers) {
    IniDocument doc = IniDocument::Parse(
        "[oth]\r\ncount=99\r\n1=a\r\n2x=b\r\n01=c\r\n0=d\r\n3DLLOCX=1\r\n"
        "[lnk]\r\n2=a\r\n10=b\r\n9=c\r\n"
        "[none]\r\n0=a\r\n01=b\r\n7x=c\r\n"
        "[big]\r\n2147483647=a\r\n2147483648=b\r\n1dllocx=1\r\n1=x\r\n");
    const std::vector<std::string_view> suffixes = {"", "dllocx"};
    using Numbers = std::vector<int>;
    EXPECT_EQ(doc.NumberedKeys("OTH", suffixes), (Numbers{1, 3}));
    EXPECT_EQ(doc.NumberedKeys("oth", {""}), (Numbers{1}));
    EXPECT_EQ(doc.NumberedKeys("lnk", suffixes), (Numbers{2, 9, 10}));
    EXPECT_EQ(doc.NumberedKeys("none", suffixes), Numbers{});
    EXPECT_EQ(doc.NumberedKeys("missing", suffixes), Numbers{});
    EXPECT_EQ(doc.NumberedKeys("big", suffixes), (Numbers{1, 2147483647}));
}

TEST(IniDocument, NumberedSectionsArePrefixFollowedByANumberOnly) {
    IniDocument doc = IniDocument::Parse(
        "[reg2]\r\nk=v\r\n[REG10]\r\nk=v\r\n[reg01]\r\n[reg11x]\r\n[register]\r\n[reg]\r\n"
        "[reg0]\r\n");
    using Numbers = std::vector<int>;
    EXPECT_EQ(doc.NumberedSections("reg"), (Numbers{2, 10}));
    EXPECT_EQ(doc.NumberedSections("REG"), (Numbers{2, 10}));
    EXPECT_EQ(IniDocument::Parse("[reg01]\r\n[register]\r\n[reg]\r\n").NumberedSections("reg"),
              Numbers{});
    EXPECT_EQ(IniDocument::Parse("").NumberedSections("reg"), Numbers{});
}

TEST(WalkNumberedList, VisitsThePresentEntriesUpToTheCountInOrder) {
    using description::WalkNumberedList;
    struct Case {
        int count;
        std::vector<int> present;
        std::vector<int> visited;
    };
    const Case cases[] = {
        {3, {1, 3}, {1, 3}},
        {2, {1, 3}, {1}},
        {0, {1, 2}, {}},
        {-5, {1}, {}},
        {2147483647, {2, 2147483647}, {2, 2147483647}},
    };
    for (const Case& c : cases) {
        std::vector<int> visited;
        WalkNumberedList(c.count, c.present, [&visited](int n) { visited.push_back(n); });
        EXPECT_EQ(visited, c.visited) << "count " << c.count;
    }
}

}  // namespace
