// The progress animation and, at its end, the finishing sequence.
#include <windows.h>

#include <string>

#include "app/main_form.h"
#include "app/program_state.h"
#include "finish/protected_folders.h"
#include "finish/self_delete.h"
#include "finish/sweep.h"

namespace app {
namespace {

__attribute__((noinline)) void FailWithIoError(MainForm& form, DWORD code) {
    form.Window->Fail({"IOError", "I/O error " + std::to_string(code), CONTROLS_HERE()});
}

// The folder is swept only when it is known to be an installation: it has
// a description, and it is none of the system's own folders.
bool MaySweep() {
    return !InstallDir.empty() && DescriptionFound && !finish::IsProtectedFolder(InstallDir);
}

}  // namespace

void FinishTimerTick(MainForm& form, controls::Timer& sender) {
    int position = form.ProgressBar->Position();
    if (position < 100) {
        form.ProgressBar->SetPosition(position + 1);
        return;
    }
    // Stopping the timer keeps the ticks that the closing message's own
    // loop dispatches from running the sequence again.
    sender.SetEnabled(false);

    // A folder that is not swept is not removed by the batch file either.
    const bool sweep = MaySweep();
    if (sweep) finish::SweepFolder(InstallDir);
    SetCurrentDirectoryA(finish::TempDir().c_str());
    UninstallIni.reset();
    if (!InstallDir.empty()) DeleteFileA((InstallDir + "Uninstall.ini").c_str());
    if (DWORD error = finish::WriteSelfDeleteBatch(sweep)) {
        FailWithIoError(form, error);
        return;
    }
    form.Window->Hide();
    std::string caption = form.Window->Text();
    MessageBoxA(form.Window->Handle(), FinalMessage.c_str(), caption.c_str(), MB_ICONINFORMATION);
    finish::StartSelfDeleteBatch();
    form.Window->Close();
}

}  // namespace app
