// An executable whose path is longer than the program's 261-byte buffer:
// the path comes back cut off, and a cut path may name a parent folder of
// the installation. The program then takes no folder at all: it reads no
// description, sweeps nothing and leaves its own file alone.
// tests/long_path.sh starts the program there and then runs this test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/program_driver.h"
#include "support/scratch.h"

namespace {

using namespace test_support;

bool ExistsLong(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(LongPath, CutOffModulePathNamesNoFolder) {
    const char* folder_env = std::getenv("LONG_PATH_FOLDER");
    if (!folder_env) GTEST_SKIP() << "run by tests/long_path.sh";
    const std::string folder = std::string(folder_env) + "/";
    ASSERT_GT(folder.size() + sizeof "Uninstall.exe", 261u);

    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        main = FindWindowA("UninstallerForm", nullptr);
        return main && IsWindowVisible(main);
    }));
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    controls::UniqueKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    ASSERT_TRUE(process);

    EXPECT_EQ(TextOf(main), "");  // no description was read, not even a parent's
    PostMessageA(ChildAt(main, 280, 328)->handle, BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (box = FindWindowA("#32770", nullptr)) != nullptr; }, 20000));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u);
    Sleep(3000);  // time for a batch file to have done harm, had it been given a path

    // Every folder on the way keeps its description and its bystander.
    for (size_t end = folder.find('/', 3); end != std::string::npos;
         end = folder.find('/', end + 1)) {
        const std::string each = folder.substr(0, end + 1);
        EXPECT_TRUE(ExistsLong(each + "bystander.txt")) << each;
        EXPECT_TRUE(ExistsLong(each + "Uninstall.ini")) << each;
    }
    EXPECT_TRUE(ExistsLong(folder + "Uninstall.exe"));
}

}  // namespace
