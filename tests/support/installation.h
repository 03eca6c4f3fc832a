// An installed application in a scratch folder: the uninstaller's copy and
// its description, ready to be started.
#pragma once

#include <string>

#include "support/program_driver.h"
#include "support/scratch.h"

namespace test_support {

// The window texts of the sample description, with the given lists.
std::string SampleDescription(const std::string& lists = "", const std::string& extra = "");

class Installation {
public:
    // folder_name may hold blanks and subfolders ("Program Files\\Sample").
    explicit Installation(const std::string& name,
                          const std::string& folder_name = "Sample Viewer");

    const std::string& Folder() const { return folder_; }  // ends in a backslash
    std::string Exe() const { return folder_ + "Uninstall.exe"; }
    std::string Ini() const { return folder_ + "Uninstall.ini"; }
    const ScratchFolder& Scratch() const { return scratch_; }

    void WriteDescription(const std::string& text) const;
    void WriteFile(const std::string& relative, const std::string& bytes = "x") const;

private:
    ScratchFolder scratch_;
    std::string folder_;
};

}  // namespace test_support
