#include "app/window_texts.h"

#include <windows.h>

#include "app/module_path.h"
#include "app/pattern.h"
#include "app/program_state.h"
#include "app/text_rules.h"

namespace app {
namespace {

// Formats a pattern with AppName; on failure the window is failed and
// false returned.
__attribute__((noinline)) bool FormatWithAppName(MainForm& form, const std::string& pattern,
                                                 std::string& out) {
    FormatResult r = FormatPattern(pattern, AppName);
    switch (r.status) {
        case FormatResult::Status::Ok:
            out = std::move(r.text);
            return true;
        case FormatResult::Status::Malformed:
            form.Window->Fail({"FormatError", r.message, CONTROLS_HERE()});
            return false;
        case FormatResult::Status::TooLarge:
            form.Window->Fail({"OutOfMemory", "Out of memory", CONTROLS_HERE()});
            return false;
    }
    return false;
}

}  // namespace

void LoadWindowTexts(MainForm& form) {
    std::optional<std::string> module = ModulePath();
    InstallDir = module ? FolderOfPath(*module, IsLeadByte) : std::string();

    form.FooterLine->SetWidth(form.Window->Width());
    form.HeaderLine->SetWidth(form.ContentPanel->Width());

    // Without a folder there is no description to read: an empty path
    // reads as a missing file.
    std::string ini_path = InstallDir.empty() ? std::string() : InstallDir + "Uninstall.ini";
    UninstallIni = std::make_unique<description::IniReader>(ini_path);
    UninstallIni->SetSection("uninstall12");
    DWORD attributes =
        ini_path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(ini_path.c_str());
    DescriptionFound =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);

    description::IniReader& ini = *UninstallIni;
    AppName = ini.ReadString("appname", "");
    AppKey = AppKeyFromName(AppName);

    form.Label2->SetWidth(300);
    form.Label2->SetHeight(32);
    form.Label3->SetWidth(400);
    form.Label3->SetHeight(48);

    form.Label1->SetText(ini.ReadString("2", ""));
    std::string text;
    if (!FormatWithAppName(form, ini.ReadString("3", ""), text)) return;
    form.Label2->SetText(text);
    form.Window->SetText(form.Label2->Text());
    form.CancelButton->SetText(ini.ReadString("1", ""));
    form.UninstallButton->SetText(ini.ReadString("5", ""));
    if (!FormatWithAppName(form, ini.ReadString("4", ""), text)) return;
    form.Label3->SetText(text);
    form.Label4->SetText(ini.ReadString("text", ""));
    if (!FormatWithAppName(form, ini.ReadString("6", ""), FinalMessage)) return;
}

}  // namespace app
