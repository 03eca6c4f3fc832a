#include "app/error_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using app::ErrorReportText;

// An address whose hexadecimal form uses digits and letters in both halves
// of the pointer where it is wide enough.
const void* SampleAddress() {
    std::uintptr_t value = 0x00ABCDEF;
    if (sizeof(void*) == 8) value = static_cast<std::uintptr_t>(0x00000001400A2B3CULL);
    return reinterpret_cast<const void*>(value);
}

std::string SampleAddressText() {
    return sizeof(void*) == 8 ? "00000001400A2B3C" : "00ABCDEF";
}

TEST(ErrorReportText, FollowsTheReportLayout) {
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"No argument for format '%s'", "No argument for format '%s'."},
        {"Format '%d' invalid or incompatible with argument",
         "Format '%d' invalid or incompatible with argument."},
        {"Already ends in a full stop.", "Already ends in a full stop."},
        {"Ends in a question mark?", "Ends in a question mark?."},
        {"", "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorReportText("FormatError", "Uninstall.exe", SampleAddress(), c.message),
                  "Exception FormatError in module Uninstall.exe at " + SampleAddressText() +
                      ".\r\n" + c.shown + "\r\n");
    }
}

TEST(ErrorReportText, WritesTheAddressAsFixedWidthUpperCaseHex) {
    const std::string zeros(2 * sizeof(void*), '0');
    EXPECT_EQ(ErrorReportText("IOError", "x.exe", nullptr, "m."),
              "Exception IOError in module x.exe at " + zeros + ".\r\nm.\r\n");
    const void* all_ones = reinterpret_cast<const void*>(~std::uintptr_t{0});
    EXPECT_EQ(
        ErrorReportText("E", "x.exe", all_ones, "m."),
        "Exception E in module x.exe at " + std::string(2 * sizeof(void*), 'F') + ".\r\nm.\r\n");
}

}  // namespace
