#include "app/pattern.h"

#include <gtest/gtest.h>

namespace {

using app::FormatPattern;
using app::FormatResult;
using Status = app::FormatResult::Status;

struct Case {
    const char* pattern;
    const char* argument;
    Status status;
    const char* expected;  // the text, or the message when malformed
};

const Case kCases[] = {
    {"Uninstall %s", "Sample Viewer 1.5", Status::Ok, "Uninstall Sample Viewer 1.5"},
    {"100%% done", "x", Status::Ok, "100% done"},
    {"%0:s / %0:s", "abc", Status::Ok, "abc / abc"},
    {"%6s|", "abc", Status::Ok, "   abc|"},
    {"%-6s|", "abc", Status::Ok, "abc   |"},
    {"%.2s", "abc", Status::Ok, "ab"},
    {"%2s", "abc", Status::Ok, "abc"},
    {"%S", "abc", Status::Ok, "abc"},
    {"%s then %0:s", "abc", Status::Ok, "abc then abc"},
    {"ends in %", "abc", Status::Ok, "ends in "},
    {"cut %-6.", "abc", Status::Ok, "cut "},
    {"", "abc", Status::Ok, ""},
    {"%s and %s", "abc", Status::Malformed, "No argument for format '%s'"},
    {"%1:s", "abc", Status::Malformed, "No argument for format '%1:s'"},
    {"%*s", "abc", Status::Malformed, "No argument for format '%*s'"},
    {"%.*s", "abc", Status::Malformed, "No argument for format '%.*s'"},
    {"%d", "abc", Status::Malformed, "Format '%d' invalid or incompatible with argument"},
    {"%1:d", "abc", Status::Malformed, "No argument for format '%1:d'"},  // argument test first
    {"%1:-12345678901234567890.12345678901234s", "abc", Status::Malformed,
     "No argument for format '%1:-12345678901234567890.123456'"},
    {"%0:-1234567890123456789012345678x", "abc", Status::Malformed,
     "Format '%0:-123456789012345678901234567' invalid or incompatible with argument"},
};

TEST(FormatPattern, FollowsTheDirectiveRules) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pattern);
        FormatResult r = FormatPattern(c.pattern, c.argument);
        ASSERT_EQ(r.status, c.status);
        EXPECT_EQ(c.status == Status::Ok ? r.text : r.message, c.expected);
    }
}

TEST(FormatPattern, RefusesWidthsTooLargeToBuild) {
    EXPECT_EQ(FormatPattern("%999999999s", "abc").status, Status::TooLarge);
    EXPECT_EQ(FormatPattern("%99999999999999999999s", "abc").status, Status::TooLarge);
    FormatResult wide = FormatPattern("%1000s", "abc");
    ASSERT_EQ(wide.status, Status::Ok);
    EXPECT_EQ(wide.text.size(), 1000u);
}

}  // namespace
