// The window's texts, all taken from the description at start-up.
#pragma once

#include "app/main_form.h"

namespace app {

// Sets InstallDir, UninstallIni, AppName, AppKey and FinalMessage and
// fills every text of the window. A malformed pattern fails the window
// (start-up then ends with the error report) and stops here.
void LoadWindowTexts(MainForm& form);

}  // namespace app
