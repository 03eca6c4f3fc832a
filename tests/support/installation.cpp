#include "support/installation.h"

namespace test_support {

std::string SampleDescription(const std::string& lists, const std::string& extra) {
    return "[uninstall12]\r\n"
           "appname=Sample Viewer 1.5\r\n"
           "1=Cancel\r\n"
           "2=Removal of the program\r\n"
           "3=Uninstall %s\r\n"
           "4=Press Uninstall to remove %s and all of its components from this computer.\r\n"
           "5=&Uninstall\r\n"
           "6=%s has been removed from this computer.\r\n"
           "text=Uninstall wizard\r\n" +
           extra + "\r\n" + lists;
}

Installation::Installation(const std::string& name, const std::string& folder_name)
    : scratch_(name), folder_(scratch_ / folder_name + "\\") {
    MakeFolders(folder_);
    CopyFileTo(PathFromEnvironment("UNINSTALLER_EXE"), Exe());
}

void Installation::WriteDescription(const std::string& text) const {
    WriteFileBytes(Ini(), text);
}

void Installation::WriteFile(const std::string& relative, const std::string& bytes) const {
    std::string path = folder_ + relative;
    MakeFolders(path.substr(0, path.rfind('\\')));
    WriteFileBytes(path, bytes);
}

}  // namespace test_support
