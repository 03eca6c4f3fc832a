#include "app/program_state.h"

namespace app {

std::string InstallDir;
std::unique_ptr<description::IniReader> UninstallIni;
bool DescriptionFound = false;
std::string AppName;
std::string AppKey;
std::string FinalMessage;

}  // namespace app
