// The click that removes everything the description records.
#include "app/main_form.h"
#include "app/program_state.h"
#include "removal/removal_sequence.h"

namespace app {

void UninstallButtonClick(MainForm& form) {
    form.CancelButton->SetEnabled(false);
    form.UninstallButton->SetEnabled(false);
    // Runs at most once: both buttons stay disabled from here on. A click
    // that was queued behind a cancel finds the reader released and
    // removes nothing.
    if (!UninstallIni) return;
    removal::RemoveRecordedItems(*UninstallIni, AppKey);
    form.FinishTimer->SetEnabled(true);
}

}  // namespace app
