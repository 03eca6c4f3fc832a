#include "finish/self_delete.h"

#include <shellapi.h>

#include "app/module_path.h"
#include "app/text_rules.h"
#include "controls/handles.h"

namespace finish {
namespace {

const char kBatchName[] = "delme.bat";

// Text goes to the file through a 128-byte buffer, written out when full
// and when the file is closed. The first failure is kept and stops writing.
class BufferedFile {
public:
    explicit BufferedFile(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (!file_) error_ = GetLastError();
    }

    DWORD Error() const { return error_; }

    bool Write(std::string_view text) {
        for (char c : text) {
            if (used_ == sizeof buffer_ && !Flush()) return false;
            buffer_[used_++] = c;
        }
        return error_ == 0;
    }

    bool Close() {
        if (error_ != 0) return false;
        if (!Flush()) return false;
        if (!CloseHandle(file_.release())) error_ = GetLastError();
        return error_ == 0;
    }

private:
    bool Flush() {
        DWORD written = 0;
        if (used_ > 0 &&
            (!WriteFile(file_.get(), buffer_, static_cast<DWORD>(used_), &written, nullptr) ||
             written != used_)) {
            error_ = GetLastError();
            if (error_ == 0) error_ = ERROR_WRITE_FAULT;
            return false;
        }
        used_ = 0;
        return true;
    }

    controls::UniqueFile file_;
    char buffer_[128];
    size_t used_ = 0;
    DWORD error_ = 0;
};

std::string BatchFilePath() {
    return TempDir() + kBatchName;
}

}  // namespace

std::string BatchPath(std::string_view path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + "\"";
}

std::string ShortFolderOf(std::string_view exe_short_path) {
    std::string folder = app::FolderOfPath(exe_short_path, app::IsLeadByte);
    if (!folder.empty()) folder.pop_back();
    return folder;
}

std::string SelfDeleteBatchText(std::string_view exe_short_path, bool remove_folder) {
    const std::string exe = BatchPath(exe_short_path);
    std::string text;
    text += "@echo off\r\n";
    text += ":uninst\r\n";
    text += "del " + exe + "\r\n";
    text += "if exist " + exe + " goto uninst\r\n";
    text += "rd " + BatchPath(remove_folder ? ShortFolderOf(exe_short_path) : "") + "\r\n";
    text += "del delme.bat\r\n";
    return text;
}

std::string TempDir() {
    char buffer[261];
    DWORD n = GetTempPathA(sizeof buffer, buffer);
    std::string dir = n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return dir;
}

std::string ExeShortPath() {
    std::optional<std::string> module = app::ModulePath();
    if (!module) return {};
    char buffer[260];
    DWORD n = GetShortPathNameA(module->c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

DWORD WriteSelfDeleteBatch(bool remove_folder) {
    BufferedFile file(BatchFilePath());
    if (file.Error() != 0) return file.Error();
    const std::string text = SelfDeleteBatchText(ExeShortPath(), remove_folder);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start) + 2;
        if (!file.Write(std::string_view(text).substr(start, end - start))) return file.Error();
        start = end;
    }
    file.Close();
    return file.Error();
}

void StartSelfDeleteBatch() {
    ShellExecuteA(nullptr, "open", BatchFilePath().c_str(), "", "", SW_HIDE);
}

}  // namespace finish
