// Unregistering COM servers with the registration tool: the command the
// tool receives, the way it is started and awaited, and the removal of a
// real (test) server's registration by Wine's own regsvr32.exe.
#include "removal/component.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/handles.h"
#include "support/scratch.h"

namespace {

using namespace test_support;

const char kClassKey[] = "CLSID\\{6F1B2E4A-3C5D-4E7F-8A9B-0C1D2E3F4A5B}";

TEST(UnregisterCommandLine, PutsThePathInQuotationMarks) {
    EXPECT_EQ(removal::UnregisterCommandLine("C:\\PROGRA~1\\SAMPLE~1\\preview.ocx"),
              "regsvr32.exe /u /s \"C:\\PROGRA~1\\SAMPLE~1\\preview.ocx\"");
    EXPECT_EQ(removal::UnregisterCommandLine(""), "regsvr32.exe /u /s \"\"");
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

// The ids of this process's children that are still running.
std::vector<DWORD> RunningChildren() {
    std::vector<DWORD> children;
    controls::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId())
            children.push_back(entry.th32ProcessID);
    }
    return children;
}

// The recording stand-in for the registration tool, copied as
// regsvr32.exe into a scratch folder that is made the current one, where
// the standard search finds it before the system's tool. Its record is
// kept beside it. The current folder and environment are restored after.
class RecordedUnregistration : public ::testing::Test {
protected:
    RecordedUnregistration() : scratch_("component-recorded"), record_(scratch_ / "record.txt") {}

    void SetUp() override {
        const std::string recorder = PathFromEnvironment("TEST_REGSVR32");
        ASSERT_FALSE(recorder.empty()) << "TEST_REGSVR32 is not set";
        CopyFileTo(recorder, scratch_ / "regsvr32.exe");
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previous_folder_ = current;
        ASSERT_TRUE(SetCurrentDirectoryA(scratch_.Path().c_str()));
        char found[MAX_PATH] = {};
        SearchPathA(nullptr, "regsvr32.exe", nullptr, MAX_PATH, found, nullptr);
        ASSERT_EQ(lstrcmpiA(found, (scratch_ / "regsvr32.exe").c_str()), 0)
            << "the standard search finds " << found;
        SetEnvironmentVariableA("REGSVR32_RECORD", record_.c_str());
    }

    void TearDown() override {
        SetEnvironmentVariableA("REGSVR32_RECORD", nullptr);
        SetEnvironmentVariableA("REGSVR32_SLEEP_MS", nullptr);
        SetCurrentDirectoryA(previous_folder_.c_str());
    }

    std::string Record() const { return ReadFileBytes(record_); }

    ScratchFolder scratch_;
    std::string record_;
    std::string previous_folder_;
};

TEST_F(RecordedUnregistration, ToolGetsTheShortPathOfALongPathWithBlanks) {
    const std::string folder = scratch_ / "My Components\\Sub Folder\\";
    MakeFolders(folder);
    const std::string path = folder + "Preview Control.ocx";
    WriteFileBytes(path, "x");
    char short_path[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(path.c_str(), short_path, MAX_PATH), 0u);
    ASSERT_EQ(std::string(short_path).find(' '), std::string::npos) << short_path;

    removal::UnregisterComponent(path);

    // One run, the path quoted, shown without activation (STARTF_USESHOWWINDOW,
    // SW_SHOWNOACTIVATE).
    EXPECT_EQ(Record(), "regsvr32.exe /u /s \"" + std::string(short_path) + "\"|flags=1|show=4\n");
}

TEST_F(RecordedUnregistration, MissingFileStillStartsTheToolWithAnEmptyPath) {
    removal::UnregisterComponent(scratch_ / "gone.ocx");
    removal::UnregisterComponent("");

    EXPECT_EQ(Record(),
              "regsvr32.exe /u /s \"\"|flags=1|show=4\n"
              "regsvr32.exe /u /s \"\"|flags=1|show=4\n");
}

TEST_F(RecordedUnregistration, RunAndWaitReturnsOnlyAfterTheToolHasEnded) {
    SetEnvironmentVariableA("REGSVR32_SLEEP_MS", "1500");

    removal::RunAndWait("regsvr32.exe /u /s x.ocx");

    EXPECT_EQ(Record(), "regsvr32.exe /u /s x.ocx|flags=1|show=4\n");
    EXPECT_TRUE(RunningChildren().empty()) << "the tool still runs after the return";
}

TEST_F(RecordedUnregistration, RunAndWaitReturnsWhenTheCommandCannotStart) {
    removal::RunAndWait("");
    removal::RunAndWait("C:\\uninstaller-tests\\no such folder\\missing.exe /u");
    removal::RunAndWait("\"");

    EXPECT_TRUE(RunningChildren().empty());
    EXPECT_EQ(Record(), "");  // nothing else was started in its place
}

// Runs a command line to its end; false when it could not start.
bool RunToEnd(const std::string& command_line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string writable = command_line;
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    controls::UniqueKernelHandle process_handle(process.hProcess);
    controls::UniqueKernelHandle thread_handle(process.hThread);
    return WaitForSingleObject(process_handle.get(), 30000) == WAIT_OBJECT_0;
}

class RealUnregistration : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(HKEY_CLASSES_ROOT, kClassKey); }
    void TearDown() override { DeleteRegTree(HKEY_CLASSES_ROOT, kClassKey); }
};

TEST_F(RealUnregistration, RemovesTheRegistrationOfARealServer) {
    const std::string server = PathFromEnvironment("TEST_COM_SERVER");
    ASSERT_FALSE(server.empty()) << "TEST_COM_SERVER is not set";
    // The tool is found by the standard search, the test program's own
    // folder first: a stand-in placed there would be run instead.
    char found[MAX_PATH] = {};
    SearchPathA(nullptr, "regsvr32.exe", nullptr, MAX_PATH, found, nullptr);
    ASSERT_EQ(lstrcmpiA(FolderOf(found).c_str(), SystemFolder().c_str()), 0)
        << "regsvr32.exe is found at " << found << " before the system's own";
    for (const char* folder : {"Components", "My Components\\Sub Folder"}) {
        SCOPED_TRACE(folder);
        ScratchFolder scratch("component-real");
        const std::string path = scratch / folder + "\\preview.ocx";
        MakeFolders(scratch / folder);
        CopyFileTo(server, path);
        ASSERT_TRUE(RunToEnd(SystemFolder() + "regsvr32.exe /s \"" + path + "\""));
        ASSERT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey + std::string("\\InprocServer32")));

        removal::UnregisterComponent(path);

        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));
        EXPECT_TRUE(FileExists(path));  // unregistering deletes nothing
    }
}

}  // namespace
