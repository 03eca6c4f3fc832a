#include "support/program_driver.h"

#include <commctrl.h>

#include "finish/self_delete.h"

#include <cstdlib>

namespace test_support {
namespace {

struct WindowSearch {
    DWORD process_id;
    const char* class_name;
    bool visible_only;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->process_id) return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->class_name) != 0) return TRUE;
    if (search->visible_only && !IsWindowVisible(window)) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindTopLevel(DWORD pid, const char* class_name, bool visible_only) {
    WindowSearch search{pid, class_name, visible_only, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// How far the 32 x 32 picture an icon control shows is from a system icon.
long IconDifference(HWND icon_control, LPCSTR system_icon) {
    RECT r{};
    GetWindowRect(icon_control, &r);
    const int size = 32;
    HDC screen = GetDC(nullptr);
    controls::UniqueMemoryDc shown(CreateCompatibleDC(screen));
    controls::UniqueMemoryDc drawn(CreateCompatibleDC(screen));
    controls::UniqueBitmap shown_bits(CreateCompatibleBitmap(screen, size, size));
    controls::UniqueBitmap drawn_bits(CreateCompatibleBitmap(screen, size, size));
    long difference = 0;
    {
        controls::SelectedObject a(shown.get(), shown_bits.get());
        controls::SelectedObject b(drawn.get(), drawn_bits.get());
        BitBlt(shown.get(), 0, 0, size, size, screen, r.left, r.top, SRCCOPY);
        // The icon over the background the box shows around it.
        BitBlt(drawn.get(), 0, 0, size, size, screen, r.left, r.top, SRCCOPY);
        RECT all{0, 0, size, size};
        FillRect(drawn.get(), &all,
                 reinterpret_cast<HBRUSH>(GetPixel(shown.get(), 0, 0) == GetSysColor(COLOR_WINDOW)
                                              ? COLOR_WINDOW + 1
                                              : COLOR_BTNFACE + 1));
        DrawIcon(drawn.get(), 0, 0, LoadIconA(nullptr, system_icon));
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                COLORREF p = GetPixel(shown.get(), x, y), q = GetPixel(drawn.get(), x, y);
                difference += labs(GetRValue(p) - GetRValue(q)) +
                              labs(GetGValue(p) - GetGValue(q)) + labs(GetBValue(p) - GetBValue(q));
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return difference;
}

}  // namespace

std::string TextOf(HWND window) {
    char buffer[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 5000, &length);
    return std::string(buffer, length);
}

HWND ProgressBarOf(HWND main) {
    HWND back = ChildAt(main, 0, 0)->handle;
    HWND content = ChildAt(back, 0, 0)->handle;
    return ChildAt(content, 24, 160)->handle;
}

int PositionOf(HWND bar) {
    DWORD_PTR position = 0;
    if (!SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 10000, &position)) return -1;
    return static_cast<int>(position);
}

std::string TempBatch() { return finish::TempDir() + "delme.bat"; }

ControlInfo DescribeWindow(HWND window) {
    ControlInfo info;
    info.handle = window;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    info.class_name = name;
    info.text = TextOf(window);
    GetWindowRect(window, &info.bounds);
    if (HWND parent = GetParent(window)) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&info.bounds), 2);
    }
    info.enabled = IsWindowEnabled(window) != FALSE;
    info.visible = IsWindowVisible(window) != FALSE;
    return info;
}

std::vector<ControlInfo> ChildrenOf(HWND parent) {
    std::vector<ControlInfo> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(DescribeWindow(child));
    }
    return children;
}

std::optional<ControlInfo> ChildAt(HWND parent, int x, int y) {
    for (const ControlInfo& child : ChildrenOf(parent)) {
        if (child.bounds.left == x && child.bounds.top == y) return child;
    }
    return std::nullopt;
}

void SaveScreenshot(HWND window, const std::string& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    controls::UniqueMemoryDc memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    controls::UniqueBitmap picture(
        CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        controls::SelectedObject selected(memory.get(), picture.get());
        BitBlt(memory.get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), stride * static_cast<DWORD>(height));
    controls::UniqueFile out(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (out)
        WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

ProgramRun::ProgramRun(const std::string& exe, const std::string& current_folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + exe + "\"";
    // As the shell starts a program: in its own folder unless told otherwise.
    std::string folder =
        current_folder.empty() ? exe.substr(0, exe.rfind('\\') + 1) : current_folder;
    if (CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &pi)) {
        process_.reset(pi.hProcess);
        CloseHandle(pi.hThread);
        id_ = pi.dwProcessId;
    }
}

ProgramRun::~ProgramRun() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::vector<HWND> ProgramRun::TopLevelWindows(const char* class_name) const {
    return FindTopLevel(id_, class_name, false);
}

HWND ProgramRun::WaitForMainWindow(DWORD timeout_ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            auto windows = FindTopLevel(id_, "UninstallerForm", true);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
        },
        timeout_ms);
    return found;
}

std::optional<MessageBoxInfo> ProgramRun::WaitForMessageBox(DWORD timeout_ms) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            auto windows = FindTopLevel(id_, "#32770", true);
            box = windows.empty() ? nullptr : windows.front();
            return box != nullptr || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
        },
        timeout_ms);
    if (!box) return std::nullopt;
    Sleep(300);  // until the box has painted itself
    MessageBoxInfo info;
    info.handle = box;
    info.caption = TextOf(box);
    info.owner = GetWindow(box, GW_OWNER);
    for (const ControlInfo& child : ChildrenOf(box)) {
        LONG style = GetWindowLongA(child.handle, GWL_STYLE);
        if (lstrcmpiA(child.class_name.c_str(), "Static") != 0) continue;
        if ((style & SS_TYPEMASK) == SS_ICON) {
            // Icon handles are the process's own: compare what is shown.
            long stop = IconDifference(child.handle, IDI_HAND);
            long information = IconDifference(child.handle, IDI_INFORMATION);
            info.has_stop_icon = stop < information;
            info.has_information_icon = information < stop;
        } else if (!child.text.empty()) {
            info.text = child.text;
        }
    }
    return info;
}

void ProgramRun::Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void ProgramRun::AnswerMessageBox(const MessageBoxInfo& box) {
    PostMessageA(box.handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.handle, IDOK)));
}

std::optional<DWORD> ProgramRun::WaitForExit(DWORD timeout_ms) {
    if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace test_support
