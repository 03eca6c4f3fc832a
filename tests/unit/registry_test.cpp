// Registry removal against Wine's real registry, under scratch keys of the
// tests' own in HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
#include "removal/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scratch.h"

namespace {

using namespace test_support;
using namespace std::string_literals;

struct RootCase {
    std::string name;
    HKEY expected;
};

TEST(RootKeyFromName, NamesInAnyLetterCaseSelectTheirKeyAllOtherTextsCurrentUser) {
    const RootCase cases[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
        {"hkey_classes_root", HKEY_CLASSES_ROOT},
        {"hkey_local_machine", HKEY_LOCAL_MACHINE},
        {"hkey_users", HKEY_USERS},
        {"Hkey_Performance_Data", HKEY_PERFORMANCE_DATA},
        {"hKeY_cUrReNt_CoNfIg", HKEY_CURRENT_CONFIG},
        {"HKEY_dyn_DATA", HKEY_DYN_DATA},
        // Short forms, blanks and near misses are no names of the table.
        {"HKLM", HKEY_CURRENT_USER},
        {"HKCR", HKEY_CURRENT_USER},
        {" HKEY_LOCAL_MACHINE", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE ", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHIN", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINES", HKEY_CURRENT_USER},
        {"HKEY_USERS\0X"s, HKEY_CURRENT_USER},  // the whole text counts
        {"", HKEY_CURRENT_USER},
    };
    for (const RootCase& c : cases) {
        EXPECT_EQ(removal::RootKeyFromName(c.name), c.expected) << '"' << c.name << '"';
    }
}

// A scratch key in both roots, removed with everything in it at the end,
// and one value directly in HKEY_CURRENT_USER.
class RegistryRemoval : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Software\\UninstallerTests\\Registry";
    static constexpr const char* kRootValue = "UninstallerTests root value";

    void SetUp() override { TearDown(); }
    void TearDown() override {
        DeleteRegTree(HKEY_CURRENT_USER, kKey);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kKey);
        RegDeleteValueA(HKEY_CURRENT_USER, kRootValue);
    }
};

TEST_F(RegistryRemoval, DeletesTheNamedValueOnly) {
    SetRegString(HKEY_CURRENT_USER, kKey, "LastFile", "a.txt");
    SetRegString(HKEY_CURRENT_USER, kKey, "Other", "b");
    SetRegString(HKEY_CURRENT_USER, kKey, "", "default");
    SetRegString(HKEY_CURRENT_USER, kKey + "\\Sub"s, "LastFile", "nested");

    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "LastFile");

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "LastFile"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "Other"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, ""));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey + "\\Sub"s, "LastFile"));

    // A second time finds nothing to delete and changes nothing.
    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "LastFile");
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "Other"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, ""));
}

TEST_F(RegistryRemoval, EmptyNameDeletesTheUnnamedValue) {
    SetRegString(HKEY_CURRENT_USER, kKey, "", "default");
    SetRegString(HKEY_CURRENT_USER, kKey, "Other", "b");

    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "");

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, ""));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "Other"));
}

TEST_F(RegistryRemoval, KeyLeftWithoutValuesStays) {
    SetRegString(HKEY_CURRENT_USER, kKey, "Only", "x");

    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "Only");

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKey, "Only"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryRemoval, MissingKeyOrValueChangesNothing) {
    SetRegString(HKEY_CURRENT_USER, kKey, "Other", "b");

    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey + "\\Missing"s, "Other");
    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "Missing");
    removal::DeleteRegValue("HKEY_CURRENT_USER", kKey, "");

    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kKey, "Other"));
    // No key is created on the way.
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kKey + "\\Missing"s));
}

TEST_F(RegistryRemoval, EmptyPathDeletesTheValueInTheRootKey) {
    SetRegString(HKEY_CURRENT_USER, "", kRootValue, "x");
    ASSERT_TRUE(RegValueExists(HKEY_CURRENT_USER, "", kRootValue));

    removal::DeleteRegValue("", "", kRootValue);

    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "", kRootValue));
}

TEST_F(RegistryRemoval, RootTextChoosesTheKeyThatLosesTheValue) {
    struct Case {
        const char* root;
        bool machine_value_deleted;  // else the current user's is
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE", true},
        {"hkey_Local_Machine", true},
        {"HKLM", false},
        {" HKEY_LOCAL_MACHINE", false},
        {"", false},
        {"hkey_current_user", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        SetRegString(HKEY_LOCAL_MACHINE, kKey, "Value", "machine");
        SetRegString(HKEY_CURRENT_USER, kKey, "Value", "user");

        removal::DeleteRegValue(c.root, kKey, "Value");

        EXPECT_EQ(RegValueExists(HKEY_LOCAL_MACHINE, kKey, "Value"), !c.machine_value_deleted);
        EXPECT_EQ(RegValueExists(HKEY_CURRENT_USER, kKey, "Value"), c.machine_value_deleted);
    }
}

TEST_F(RegistryRemoval, DeleteRegKeyRemovesAKeyWithoutSubkeys) {
    const std::string entry = kKey + "\\Sample_Viewer_1_5"s;
    SetRegString(HKEY_LOCAL_MACHINE, entry, "DisplayName", "Sample Viewer 1.5");
    SetRegString(HKEY_LOCAL_MACHINE, kKey + "\\Other_App"s, "DisplayName", "Other");

    EXPECT_TRUE(removal::DeleteRegKey(HKEY_LOCAL_MACHINE, entry));

    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, entry));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kKey + "\\Other_App"s));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kKey + "\\Other_App"s, "DisplayName"));
}

TEST_F(RegistryRemoval, DeleteRegKeyGivesFalseForMissingKeyAndNoRoot) {
    SetRegString(HKEY_LOCAL_MACHINE, kKey, "Value", "x");

    EXPECT_FALSE(removal::DeleteRegKey(HKEY_LOCAL_MACHINE, kKey + "\\Missing"s));
    EXPECT_FALSE(removal::DeleteRegKey(nullptr, kKey));

    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kKey, "Value"));
}

TEST_F(RegistryRemoval, DeleteRegKeyLeavesTheSubkeysOfAKey) {
    const std::string entry = kKey + "\\Sample_Viewer_1_5"s;
    SetRegString(HKEY_LOCAL_MACHINE, entry, "DisplayName", "Sample Viewer 1.5");
    SetRegString(HKEY_LOCAL_MACHINE, entry + "\\Sub", "Kept", "x");

    bool deleted = removal::DeleteRegKey(HKEY_LOCAL_MACHINE, entry);

    // Wine, like Windows, refuses to delete a key that has subkeys: the
    // deletion is not recursive, and the result says so.
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, entry));
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, entry + "\\Sub", "Kept"));
}

}  // namespace
