// Hostile input, faults and the folders that must never be emptied: the real
// program driven through whole runs against descriptions made to break it,
// files it cannot delete, a log-off in the middle of its work, and copies of
// it placed where a sweep would do the most harm.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "finish/self_delete.h"
#include "support/installation.h"
#include "support/program_driver.h"

namespace {

using namespace test_support;
using namespace std::string_literals;

const char kTestsKey[] = "Software\\UninstallerTests\\Hostile";
const char kBystanderKey[] = "Software\\UninstallerTests\\Bystander";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kSiblingEntry[] = "UninstallerTestsBystander";

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                path))) {
        return {};
    }
    return WithBackslash(path);
}

std::wstring WideTextOf(HWND window) {
    std::vector<wchar_t> buffer(8192);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 5000, &length);
    return std::wstring(buffer.data(), length);
}

std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
}

// The sample's texts under another application name, with lists after them.
std::string Described(const std::string& appname, const std::string& lists,
                      const std::string& extra = "") {
    std::string text = SampleDescription(lists, extra);
    const std::string sample = "appname=Sample Viewer 1.5";
    return text.replace(text.find(sample), sample.size(), "appname=" + appname);
}

// Text of code page 1252 as UTF-16LE with its byte-order mark.
std::string Utf16LittleEndian(const std::string& latin1) {
    std::string bytes = "\xFF\xFE";
    for (char c : latin1) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

bool BatchRemovesNoFolder(const std::string& batch) {
    return batch.find("\r\nrd \"\"\r\n") != std::string::npos;
}

// What a whole run showed and how it ended.
struct Outcome {
    bool window_shown = false;
    std::wstring caption;
    std::optional<ControlInfo> uninstall_button;
    std::optional<MessageBoxInfo> error_box;    // the "Application Error" report: no owner
    std::optional<MessageBoxInfo> closing_box;  // the closing message: owned by the window
    std::string batch_text;                     // delme.bat while the closing message shows
    std::optional<DWORD> exit_code;             // nothing: still running when the wait ended
};

// A run as a user makes it: start, click Uninstall, answer the closing
// message, wait for the exit and (bounded) for the batch file to have
// deleted the executable. An error report shown instead is answered too.
Outcome FullRun(const std::string& exe) {
    Outcome out;
    ProgramRun run(exe);
    if (!run.Started()) return out;
    HWND main = nullptr;
    bool box_shown = false, answered = false;
    WaitUntil(
        [&] {
            for (HWND w : run.TopLevelWindows("UninstallerForm")) {
                if (IsWindowVisible(w)) main = w;
            }
            for (HWND w : run.TopLevelWindows("#32770"))
                box_shown = box_shown || IsWindowVisible(w);
            return main || box_shown || run.WaitForExit(0).has_value();
        },
        30000);
    if (main) {
        out.window_shown = true;
        out.caption = WideTextOf(main);
        out.uninstall_button = ChildAt(main, 280, 328);
        if (!out.uninstall_button) return out;
        run.Click(out.uninstall_button->handle);
    }
    if (main || box_shown) {
        if (auto box = run.WaitForMessageBox(30000)) {
            answered = true;
            if (box->owner == nullptr) {
                out.error_box = box;
            } else {
                out.closing_box = box;
                out.batch_text = ReadFileBytes(TempBatch());
            }
            run.AnswerMessageBox(*box);
        }
    }
    // Without an answered box the program has ended already, or it hangs.
    out.exit_code = run.WaitForExit(answered ? 20000 : 0);
    if (out.closing_box) WaitUntil([&] { return !FileExists(exe); }, 5000);
    return out;
}

void ExpectErrorReport(const Outcome& out, const char* kind, const char* message) {
    ASSERT_TRUE(out.error_box.has_value());
    EXPECT_EQ(out.error_box->caption, "Application Error");
    EXPECT_TRUE(out.error_box->has_stop_icon);
    EXPECT_EQ(out.error_box->text.rfind("Exception "s + kind + " in module Uninstall.exe at ", 0),
              0u)
        << out.error_box->text;
    const std::string tail = "\r\n"s + message + "\r\n";
    EXPECT_TRUE(out.error_box->text.size() > tail.size() &&
                out.error_box->text.compare(out.error_box->text.size() - tail.size(), tail.size(),
                                            tail) == 0)
        << out.error_box->text;
}

struct RegItem {
    HKEY root;
    std::string key;
    std::string name;
};

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// Through the wide calls: under Wine the ANSI ones refuse key paths longer
// than 260 characters, which the tests make on purpose.
void CreateRegItem(const RegItem& item) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(item.root, Wide(item.key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, Wide(item.name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"),
                       2 * sizeof(wchar_t));
        RegCloseKey(key);
    }
}

bool RegItemExists(const RegItem& item) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(item.root, Wide(item.key).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExW(key, Wide(item.name).c_str(), nullptr, nullptr, nullptr,
                                  nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// Registry keys the tests of this file make, removed at the start and end.
struct RegistryCleanup {
    RegistryCleanup() { Clean(); }
    ~RegistryCleanup() { Clean(); }
    static void Clean() {
        DeleteRegTree(HKEY_CURRENT_USER, kTestsKey);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kTestsKey);
        DeleteRegTree(HKEY_CURRENT_USER, kBystanderKey);
        DeleteRegTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + kSiblingEntry);
    }
};

// ---------------------------------------------------------------------------
// The folders that must never be emptied.

// A copy of the program with a description placed straight into a folder
// that is not an installation, beside what the folder already held.
struct PlacedCopy {
    explicit PlacedCopy(std::string where) : folder(std::move(where)) {
        CopyFileTo(PathFromEnvironment("UNINSTALLER_EXE"), Exe());
        WriteFileBytes(Bystander(), "bystander of a guarded folder");
        MakeFolders(folder + "hostile-guard-dir");
        WriteFileBytes(InnerBystander(), "inner bystander");
        WriteFileBytes(Listed(), "listed");
        WriteFileBytes(Ini(), SampleDescription("[oth]\r\ncount=1\r\n" + Line("1", Listed())));
    }
    ~PlacedCopy() {
        for (const std::string& file : {Exe(), Ini(), Bystander(), InnerBystander(), Listed()}) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA((folder + "hostile-guard-dir").c_str());
    }
    std::string Exe() const { return folder + "Uninstall.exe"; }
    std::string Ini() const { return folder + "Uninstall.ini"; }
    std::string Bystander() const { return folder + "hostile-guard-bystander.txt"; }
    std::string InnerBystander() const { return folder + "hostile-guard-dir\\inner.txt"; }
    std::string Listed() const { return folder + "hostile-guard-listed.txt"; }

    std::string folder;
};

TEST(Guard, NeverSweepsARootOrAWellKnownFolder) {
    struct Place {
        const char* label;
        std::string folder;
    };
    const Place places[] = {
        {"drive root", "C:\\"},
        {"user profile", KnownFolder(CSIDL_PROFILE)},
        {"desktop", KnownFolder(CSIDL_DESKTOPDIRECTORY)},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.label + " "s + place.folder);
        ASSERT_FALSE(place.folder.empty());
        PlacedCopy copy(place.folder);
        ASSERT_TRUE(FileExists(copy.Exe()));

        Outcome out = FullRun(copy.Exe());
        ASSERT_TRUE(out.window_shown);
        EXPECT_EQ(out.caption, L"Uninstall Sample Viewer 1.5");
        ASSERT_TRUE(out.closing_box.has_value());
        EXPECT_EQ(out.exit_code, 0u);
        // The listed file goes (the removal ran); nothing else in the folder does.
        EXPECT_FALSE(FileExists(copy.Listed()));
        EXPECT_EQ(ReadFileBytes(copy.Bystander()), "bystander of a guarded folder");
        EXPECT_EQ(ReadFileBytes(copy.InnerBystander()), "inner bystander");
        EXPECT_TRUE(FolderExists(place.folder));
        EXPECT_TRUE(BatchRemovesNoFolder(out.batch_text)) << out.batch_text;
        EXPECT_FALSE(FileExists(copy.Ini()));  // the finishing still deletes its description
    }
}

TEST(Guard, StrayCopyWithoutDescriptionSweepsNothing) {
    const std::string documents = KnownFolder(CSIDL_PERSONAL);
    ASSERT_FALSE(documents.empty());
    const std::string folder = documents + "uninstaller-stray\\";
    RemoveTree(folder.substr(0, folder.size() - 1));
    MakeFolders(folder + "notes");
    CopyFileTo(PathFromEnvironment("UNINSTALLER_EXE"), folder + "Uninstall.exe");
    WriteFileBytes(folder + "thesis.doc", "years of work");
    WriteFileBytes(folder + "notes\\chapter1.txt", "chapter one");
    ASSERT_FALSE(FileExists(folder + "Uninstall.ini"));

    Outcome out = FullRun(folder + "Uninstall.exe");
    ASSERT_TRUE(out.window_shown);
    EXPECT_EQ(out.caption, L"");
    ASSERT_TRUE(out.uninstall_button.has_value());
    EXPECT_EQ(out.uninstall_button->text, "");  // no caption, yet it can be clicked
    ASSERT_TRUE(out.closing_box.has_value());
    EXPECT_EQ(out.closing_box->text, "");
    EXPECT_EQ(out.closing_box->caption, "");
    EXPECT_EQ(out.exit_code, 0u);
    EXPECT_TRUE(BatchRemovesNoFolder(out.batch_text)) << out.batch_text;

    EXPECT_EQ(ReadFileBytes(folder + "thesis.doc"), "years of work");
    EXPECT_EQ(ReadFileBytes(folder + "notes\\chapter1.txt"), "chapter one");
    EXPECT_TRUE(FolderExists(folder));
    RemoveTree(folder.substr(0, folder.size() - 1));
}

TEST(Guard, HugeCountsWalkOnlyTheEntriesPresent) {
    RegistryCleanup registry;
    Installation inst("guard-huge-counts");
    std::vector<std::string> files;
    std::vector<RegItem> values;
    std::string oth = "[oth]\r\ncount=2147483647\r\n", lnk = "[lnk]\r\ncount=2147483647\r\n", regs;
    for (int n = 1; n <= 3; ++n) {
        const std::string number = std::to_string(n);
        files.push_back(inst.Scratch() / ("file" + number + ".txt"));
        oth += Line(number, files.back());
        files.push_back(inst.Scratch() / ("link" + number + ".lnk"));
        lnk += Line(number, files.back());
        values.push_back({HKEY_CURRENT_USER, kTestsKey, "Value" + number});
        regs += "[reg" + number + "]\r\n" + Line("root", "HKEY_CURRENT_USER") +
                Line("key", kTestsKey) + Line("value", values.back().name);
    }
    for (const std::string& file : files) WriteFileBytes(file, "x");
    for (const RegItem& value : values) CreateRegItem(value);
    const RegItem unlisted{HKEY_CURRENT_USER, kTestsKey, "Unlisted"};
    CreateRegItem(unlisted);
    inst.WriteDescription(SampleDescription(oth + lnk + regs, "regcount=2147483647\r\n"));

    Outcome out = FullRun(inst.Exe());
    ASSERT_TRUE(out.window_shown);
    EXPECT_TRUE(out.closing_box.has_value()) << "the removal did not end";
    EXPECT_EQ(out.exit_code, 0u);
    for (const std::string& file : files) EXPECT_FALSE(FileExists(file)) << file;
    for (const RegItem& value : values) EXPECT_FALSE(RegItemExists(value)) << value.name;
    EXPECT_TRUE(RegItemExists(unlisted));
}

// ---------------------------------------------------------------------------
// Hostile descriptions.

struct HostileCase {
    std::vector<std::string> inputs;  // the hostile inputs the one description combines
    std::function<std::string(const Installation&)> description;
    std::vector<std::string> removed;  // listed files, relative to the scratch folder
    std::vector<std::string> kept;     // files that must stay, relative to the scratch folder
    std::vector<RegItem> reg_removed;
    std::vector<RegItem> reg_kept;
    // Listed values that exist, in keys the ANSI calls may not reach (Wine's
    // refuse key paths over 260 characters): either outcome is right.
    std::vector<RegItem> reg_listed;
    bool error_report = false;  // "Application Error" instead of the window, exit code 1
    std::optional<std::wstring> caption;

    std::string Name() const {
        std::string name;
        for (const std::string& input : inputs) name += (name.empty() ? "" : " + ") + input;
        return name;
    }
};

HostileCase& Add(std::vector<HostileCase>& cases, std::vector<std::string> inputs,
                 std::function<std::string(const Installation&)> description) {
    cases.push_back({});
    cases.back().inputs = std::move(inputs);
    cases.back().description = std::move(description);
    return cases.back();
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(engine));
    return bytes;
}

// Descriptions made to break the program. Inputs that cannot interfere
// share one description, and so one run.
std::vector<HostileCase> HostileCorpus() {
    std::vector<HostileCase> cases;
    const std::string tests_key = kTestsKey;

    Add(cases, {"64 KiB of random bytes"}, [](const Installation&) {
        return RandomBytes(64 * 1024, 1234567);
    }).caption = L"";

    // A NUL ends what a line says: the bad directives behind it are never seen.
    {
        HostileCase& c = Add(cases, {"NUL bytes inside values"}, [](const Installation& inst) {
            return "[uninstall12]\r\nappname=Sample\0Viewer\r\n1=Cancel\0%s\r\n2=Removal\r\n"
                   "3=Uninstall %s\0 and %d\r\n4=Press %s\0%s%s\r\n5=&Uninstall\r\n"
                   "6=%s is gone\0%s\r\ntext=\0\r\n\r\n[oth]\r\ncount=1\r\n1="s +
                   (inst.Scratch() / "nul-listed.txt") + "\0.evil\r\n"s;
        });
        c.removed = {"nul-listed.txt"};
        c.caption = L"Uninstall Sample";
    }

    // Every read of 50,000 entries must not cost a parse of the whole file.
    {
        const std::string many = tests_key + "\\Many";
        HostileCase& c =
            Add(cases, {"a 1 MiB line", "50,000 sections"}, [many](const Installation&) {
                std::string regs;
                for (int n = 1; n <= 50000; ++n) {
                    regs += "[reg" + std::to_string(n) + "]\r\nroot=HKEY_CURRENT_USER\r\n" +
                            Line("key", many) + "value=v" + std::to_string(n) + "\r\n";
                }
                return Described(std::string(1 << 20, 'n'), regs, "regcount=50000\r\n");
            });
        for (const char* name : {"v1", "v25000", "v50000"})
            c.reg_removed.push_back({HKEY_CURRENT_USER, many, name});
        c.reg_kept = {{HKEY_CURRENT_USER, many, "v50001"}};
        c.caption = L"Uninstall " + std::wstring(2047, L'n');  // values are cut to 2047 bytes
    }

    {
        HostileCase& c = Add(cases, {"unterminated quotes"}, [](const Installation& inst) {
            return Described("\"Sample Viewer",
                             "[oth]\r\ncount=\"2\"\r\n" +
                                 Line("1", "'" + (inst.Scratch() / "quote-kept.txt")) +
                                 Line("2", "\"" + (inst.Scratch() / "quote-removed.txt") + "\"") +
                                 "[lnk]\r\ncount='1\r\n1=\"\r\n");
        });
        c.kept = {"quote-kept.txt"};
        c.removed = {"quote-removed.txt"};
        c.caption = L"Uninstall \"Sample Viewer";
    }

    {
        HostileCase& c = Add(cases, {"UTF-8 with byte-order mark"}, [](const Installation& inst) {
            return "\xEF\xBB\xBF" +
                   Described("Caf\xC3\xA9 1.5", "[oth]\r\ncount=1\r\n" +
                                                    Line("1", inst.Scratch() / "utf8-listed.txt"));
        });
        c.removed = {"utf8-listed.txt"};
        c.caption = L"Uninstall Caf\u00e9 1.5";
    }

    {
        HostileCase& c =
            Add(cases, {"UTF-16LE with byte-order mark"}, [](const Installation& inst) {
                return Utf16LittleEndian(Described(
                    "Caf\xE9 1.5",
                    "[oth]\r\ncount=1\r\n" + Line("1", inst.Scratch() / "utf16-listed.txt")));
            });
        c.removed = {"utf16-listed.txt"};
        c.caption = L"Uninstall Caf\u00e9 1.5";
    }

    {
        HostileCase& c =
            Add(cases, {"negative and huge counts"}, [tests_key](const Installation& inst) {
                return SampleDescription(
                    "[oth]\r\ncount=-5\r\n" + Line("1", inst.Scratch() / "negative-kept.txt") +
                        "[reg1]\r\nroot=HKEY_CURRENT_USER\r\n" + Line("key", tests_key) +
                        "value=Negative\r\n[lnk]\r\ncount=99999999999999999999\r\n" +
                        Line("1", inst.Scratch() / "huge-removed.txt"),
                    "regcount=-2147483648\r\n");
            });
        c.kept = {"negative-kept.txt"};
        c.removed = {"huge-removed.txt"};
        c.reg_kept = {{HKEY_CURRENT_USER, tests_key, "Negative"}};
    }

    {
        HostileCase& c = Add(cases, {"width %999999999s in key 3"}, [](const Installation& inst) {
            std::string text = SampleDescription("[oth]\r\ncount=1\r\n" +
                                                 Line("1", inst.Scratch() / "width-kept.txt"));
            return text.replace(text.find("3=Uninstall %s"), 14, "3=Uninstall %999999999s");
        });
        c.kept = {"width-kept.txt", "Sample Viewer\\Uninstall.ini"};
        c.error_report = true;
    }

    // Paths that name no plain file: devices, shares, nothing, too much.
    // Wildcards are no patterns to a single-file deletion. The last entry
    // of each list shows that the list went on to its end.
    {
        HostileCase& c = Add(
            cases,
            {"paths naming devices", "UNC paths", "empty paths", "wildcard paths",
             "paths of 300 bytes"},
            [](const Installation& inst) {
                std::string deep = inst.Scratch().Path();
                while (deep.size() < 300) deep += "d123456789\\";
                return SampleDescription(
                    "[oth]\r\ncount=19\r\n"
                    "1=CON\r\n2=NUL\r\n2dllocx=1\r\n3=\\\\.\\pipe\\x\r\n4=COM1\r\n5=\\\\."
                    "\\COM1\r\n6=LPT1:\r\n"
                    "7=\\\\nohost\\share\\file\r\n7dllocx=1\r\n8=\\\\nohost\\share\\\r\n"
                    "9=\\\\?\\UNC\\nohost\\share\\f\r\n"
                    "10=\r\n10dllocx=1\r\n11=\"\"\r\n12='  '\r\n13=.\r\n" +
                        Line("14", inst.Scratch() / "*") + Line("15", inst.Scratch() / "*.txt") +
                        Line("16", inst.Scratch() / "bystander.tx?") +
                        Line("17", inst.Scratch() / std::string(300, 'p')) + "17dllocx=1\r\n" +
                        Line("18", deep + "x.dll") + "18dllocx=1\r\n" +
                        Line("19", inst.Scratch() / "paths-last-removed.txt") +
                        "[lnk]\r\ncount=6\r\n1=NUL\r\n2=\\\\.\\NUL\r\n" +
                        Line("3", "\\\\?\\" + (inst.Scratch() / "long-form-removed.txt")) +
                        "4=\r\n" + Line("5", inst.Scratch() / "wild?.txt") +
                        Line("6", deep + "x.lnk") +
                        "[reg1]\r\n[reg2]\r\nroot=\r\nkey=\r\nvalue=\r\n",
                    "regcount=2\r\n");
            });
        c.kept = {"wild1.txt"};
        c.removed = {"paths-last-removed.txt", "long-form-removed.txt"};
    }

    // A root name with a blank kept by quotation marks, or inside it, names
    // no root: HKEY_CURRENT_USER is used; blanks around it are trimmed. The
    // uninstall entry's name comes from the application's name: a bare
    // separator must not reach the list of entries itself.
    {
        std::string deep = tests_key + "\\Deep";
        while (deep.size() < 300) deep += "\\level-";
        const std::string roots = tests_key + "\\Roots";
        HostileCase& c =
            Add(cases,
                {"registry keys 300 bytes deep", "root names with blanks", "application name \\"},
                [deep, roots, tests_key](const Installation&) {
                    const std::string in_roots = "\r\n" + Line("key", roots);
                    return Described(
                        "\\",
                        "[reg1]\r\nroot=HKEY_CURRENT_USER\r\n" + Line("key", deep) +
                            "value=Deep\r\n" + "[reg2]\r\nroot=HKEY_CURRENT_USER\r\n" +
                            Line("key", tests_key + "\\" + std::string(300, 'k')) +
                            "value=Long\r\n" + "[reg3]\r\nroot=' HKEY_LOCAL_MACHINE'" + in_roots +
                            "value=Blank1\r\n" + "[reg4]\r\nroot=   HKEY_LOCAL_MACHINE   " +
                            in_roots + "value=Blank2\r\n" + "[reg5]\r\nroot=HKEY LOCAL MACHINE" +
                            in_roots + "value=Blank3\r\n" + "[reg6]\r\nroot=HKEY_CURRENT_USER\r\n" +
                            Line("key", tests_key) + "value=AfterDeep\r\n",
                        "regcount=6\r\n");
                });
        c.reg_listed = {{HKEY_CURRENT_USER, deep, "Deep"}};
        c.reg_removed = {{HKEY_CURRENT_USER, roots, "Blank1"},
                         {HKEY_LOCAL_MACHINE, roots, "Blank2"},
                         {HKEY_CURRENT_USER, roots, "Blank3"},
                         {HKEY_CURRENT_USER, tests_key, "AfterDeep"}};
        c.reg_kept = {{HKEY_CURRENT_USER, deep, "Other"},
                      {HKEY_LOCAL_MACHINE, roots, "Blank1"},
                      {HKEY_CURRENT_USER, roots, "Blank2"},
                      {HKEY_LOCAL_MACHINE, roots, "Blank3"}};
        c.caption = L"Uninstall \\";
    }

    // Entries numbered 2147483647 with a count of as much: the walk must not
    // visit every number up to them (nor overflow past the end).
    {
        HostileCase& c =
            Add(cases, {"entries numbered 2147483647"}, [tests_key](const Installation& inst) {
                return SampleDescription("[oth]\r\ncount=2147483647\r\n" +
                                             Line("1", inst.Scratch() / "max-first.txt") +
                                             Line("2147483647", inst.Scratch() / "max-last.txt") +
                                             "[lnk]\r\ncount=2147483647\r\n" +
                                             Line("2147483647", inst.Scratch() / "max-link.lnk") +
                                             "[reg2147483647]\r\nroot=HKEY_CURRENT_USER\r\n" +
                                             Line("key", tests_key) + "value=MaxReg\r\n",
                                         "regcount=2147483647\r\n");
            });
        c.removed = {"max-first.txt", "max-last.txt", "max-link.lnk"};
        c.reg_removed = {{HKEY_CURRENT_USER, tests_key, "MaxReg"}};
    }
    return cases;
}

// Bytes of the files that are missing or changed.
size_t BytesLost(const std::vector<std::pair<std::string, std::string>>& files) {
    size_t lost = 0;
    for (const auto& [path, bytes] : files) {
        if (!FileExists(path) || ReadFileBytes(path) != bytes) lost += bytes.size();
    }
    return lost;
}

TEST(Hostile, DescriptionsEndInAWholeRunAndDeleteNothingElse) {
    RegistryCleanup registry;
    ScratchFolder shared("hostile-shared");
    const std::string shared_bystander = shared / "keep.bin";
    const std::string shared_bytes = RandomBytes(4096, 42);
    WriteFileBytes(shared_bystander, shared_bytes);
    const RegItem reg_bystander{HKEY_CURRENT_USER, kBystanderKey, "Keep"};
    const RegItem sibling_entry{HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + kSiblingEntry,
                                "DisplayName"};
    const std::vector<RegItem> bystander_values = {reg_bystander, sibling_entry};

    const std::vector<HostileCase> corpus = HostileCorpus();
    size_t tried = 0, survived = 0, bytes_lost = 0;
    for (size_t i = 0; i < corpus.size(); ++i) {
        const HostileCase& c = corpus[i];
        SCOPED_TRACE(c.Name());
        tried += c.inputs.size();
        for (const RegItem& item : bystander_values) CreateRegItem(item);
        for (const auto* items : {&c.reg_removed, &c.reg_kept, &c.reg_listed}) {
            for (const RegItem& item : *items) {
                CreateRegItem(item);
                ASSERT_TRUE(RegItemExists(item)) << item.key << " " << item.name;
            }
        }

        Installation inst("hostile-" + std::to_string(i));
        inst.WriteDescription(c.description(inst));
        // Bystanders: a file beside the folder, and every file that must stay.
        std::vector<std::pair<std::string, std::string>> bystanders;
        bystanders.push_back({inst.Scratch() / "bystander.txt", std::string(1000, 'b') + c.Name()});
        for (const std::string& kept : c.kept)
            bystanders.push_back({inst.Scratch() / kept, "kept: " + kept});
        for (const auto& [path, bytes] : bystanders) {
            if (!FileExists(path)) WriteFileBytes(path, bytes);
        }
        for (auto& [path, bytes] : bystanders) bytes = ReadFileBytes(path);
        for (const std::string& removed : c.removed)
            WriteFileBytes(inst.Scratch() / removed, "listed");

        Outcome out = FullRun(inst.Exe());

        const bool ended = out.exit_code.has_value();
        const bool right_end = c.error_report
                                   ? out.exit_code == 1u && out.error_box && !out.window_shown
                                   : out.exit_code == 0u && out.closing_box && !out.error_box;
        EXPECT_TRUE(ended) << "hang";
        EXPECT_TRUE(right_end) << "window shown " << out.window_shown << ", error box "
                               << out.error_box.has_value() << ", closing box "
                               << out.closing_box.has_value() << ", exit code "
                               << (ended ? static_cast<long long>(*out.exit_code) : -1LL);
        if (c.error_report && out.error_box)
            ExpectErrorReport(out, "OutOfMemory", "Out of memory.");
        if (c.caption && out.window_shown) {
            EXPECT_EQ(out.caption, *c.caption);
        }

        // Nothing beyond the listed items and the folder.
        const size_t lost = BytesLost(bystanders);
        EXPECT_EQ(lost, 0u);
        bytes_lost += lost;
        bool intact = lost == 0;
        for (const auto* items : {&c.reg_kept, &bystander_values}) {
            for (const RegItem& item : *items) {
                const bool there = RegItemExists(item);
                EXPECT_TRUE(there) << item.key << " " << item.name;
                intact = intact && there;
            }
        }
        EXPECT_EQ(ReadFileBytes(shared_bystander), shared_bytes);
        // The listed items went: the lists were walked to their ends.
        bool removed_all = true;
        for (const std::string& removed : c.removed) {
            const bool gone = !FileExists(inst.Scratch() / removed);
            EXPECT_TRUE(gone) << removed;
            removed_all = removed_all && gone;
        }
        for (const RegItem& item : c.reg_removed) {
            const bool gone = !RegItemExists(item);
            EXPECT_TRUE(gone) << item.key << " " << item.name;
            removed_all = removed_all && gone;
        }
        if (ended && right_end && intact && removed_all) survived += c.inputs.size();
    }
    if (ReadFileBytes(shared_bystander) != shared_bytes) bytes_lost += shared_bytes.size();
    std::printf("hostile corpus: %zu inputs tried, %zu faults survived, bytes lost: %zu\n", tried,
                survived, bytes_lost);
    EXPECT_EQ(survived, tried);
}

// ---------------------------------------------------------------------------
// Faults.

TEST(Fault, FileHeldOpenStaysWithItsFolders) {
    Installation inst("fault-held");
    inst.WriteDescription(SampleDescription());
    inst.WriteFile("data\\cache\\held.dat", "in use");
    inst.WriteFile("data\\cache\\sibling.dat");
    inst.WriteFile("data\\other.txt");
    inst.WriteFile("data\\empty\\deeper\\gone.txt");
    inst.WriteFile("top.txt");
    const std::string held = inst.Folder() + "data\\cache\\held.dat";
    HANDLE handle = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);

    Outcome out = FullRun(inst.Exe());
    EXPECT_TRUE(out.closing_box.has_value());
    EXPECT_EQ(out.exit_code, 0u);
    EXPECT_TRUE(FileExists(held));
    EXPECT_TRUE(FolderExists(inst.Folder() + "data\\cache"));
    EXPECT_TRUE(FolderExists(inst.Folder() + "data"));
    EXPECT_TRUE(FolderExists(inst.Folder()));
    EXPECT_FALSE(FileExists(inst.Folder() + "data\\cache\\sibling.dat"));
    EXPECT_FALSE(FileExists(inst.Folder() + "data\\other.txt"));
    EXPECT_FALSE(FolderExists(inst.Folder() + "data\\empty"));
    EXPECT_FALSE(FileExists(inst.Folder() + "top.txt"));
    EXPECT_FALSE(FileExists(inst.Ini()));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(inst.Exe()); }, 20000));
    CloseHandle(handle);
    EXPECT_EQ(ReadFileBytes(held), "in use");
}

TEST(Fault, ReadOnlyListedFileStaysOutsideAndIsSweptInside) {
    Installation inst("fault-readonly");
    const std::string outside = inst.Scratch() / "readonly-outside.txt";
    const std::string inside = inst.Folder() + "readonly-inside.txt";
    WriteFileBytes(outside, "read-only outside");
    WriteFileBytes(inside, "read-only inside");
    SetFileAttributesA(outside.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(inside.c_str(), FILE_ATTRIBUTE_READONLY);
    inst.WriteDescription(
        SampleDescription("[oth]\r\ncount=2\r\n" + Line("1", outside) + Line("2", inside)));
    const DWORD attributes_before = GetFileAttributesA(outside.c_str());
    ASSERT_NE(attributes_before & FILE_ATTRIBUTE_READONLY, 0u);

    Outcome out = FullRun(inst.Exe());
    EXPECT_TRUE(out.closing_box.has_value());
    EXPECT_EQ(out.exit_code, 0u);
    EXPECT_EQ(ReadFileBytes(outside), "read-only outside");
    EXPECT_EQ(GetFileAttributesA(outside.c_str()), attributes_before);
    EXPECT_FALSE(FileExists(inside));
    SetFileAttributesA(outside.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Fault, LogOffEndsAtOnceWithoutFinishing) {
    enum class When { Waiting, Animating };
    for (When when : {When::Waiting, When::Animating}) {
        SCOPED_TRACE(when == When::Waiting ? "while the window waits" : "during the animation");
        Installation inst("fault-logoff");
        const std::string listed = inst.Scratch() / "listed.txt";
        WriteFileBytes(listed, "listed");
        inst.WriteFile("unlisted.txt", "unlisted");
        inst.WriteDescription(SampleDescription("[oth]\r\ncount=1\r\n" + Line("1", listed)));
        DeleteFileA(TempBatch().c_str());
        ASSERT_TRUE(WaitUntil([] { return !FileExists(TempBatch()); }, 10000));

        ProgramRun run(inst.Exe());
        HWND main = run.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        if (when == When::Animating) {
            HWND bar = ProgressBarOf(main);
            run.Click(ChildAt(main, 280, 328)->handle);
            ASSERT_TRUE(WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) >= 10; }));
        }
        DWORD_PTR granted = 0;
        ASSERT_NE(
            SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &granted),
            0);
        EXPECT_NE(granted, 0u);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        EXPECT_EQ(run.WaitForExit(), 0u);

        EXPECT_EQ(FileExists(listed), when == When::Waiting);
        EXPECT_EQ(ReadFileBytes(inst.Folder() + "unlisted.txt"), "unlisted");
        EXPECT_TRUE(FileExists(inst.Ini()));
        EXPECT_TRUE(FileExists(inst.Exe()));
        EXPECT_FALSE(FileExists(TempBatch()));
    }
}

}  // namespace
