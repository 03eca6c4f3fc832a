// Program-wide state, set once at start-up by LoadWindowTexts.
#pragma once

#include <memory>
#include <string>

#include "description/ini_reader.h"

namespace app {

// Folder of the running executable, ending in a backslash; empty when it
// could not be told (then nothing is read from it and nothing swept).
extern std::string InstallDir;

// Reader of InstallDir + "Uninstall.ini"; released by cancel or finishing.
extern std::unique_ptr<description::IniReader> UninstallIni;

// Whether Uninstall.ini existed at start-up. Without one the folder is no
// known installation, and it is never swept.
extern bool DescriptionFound;

extern std::string AppName;       // "appname": the patterns' argument
extern std::string AppKey;        // name of the application's uninstall entry
extern std::string FinalMessage;  // text of the closing message

}  // namespace app
