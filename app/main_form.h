// The program's one window: the record of its controls, its construction
// and the events of the start-up subsystem.
#pragma once

#include <memory>

#include "controls/form.h"
#include "controls/label.h"
#include "controls/owned_object.h"
#include "controls/panel.h"
#include "controls/progress_bar.h"
#include "controls/push_button.h"
#include "controls/separator_line.h"
#include "controls/timer.h"

namespace app {

// References to the window and its controls; owns none of them. Every event
// handler receives it as its context.
struct MainForm : controls::OwnedObject {
    controls::Form* Window = nullptr;
    controls::SeparatorLine* FooterLine = nullptr;
    controls::Panel* BackPanel = nullptr;
    controls::Panel* ContentPanel = nullptr;
    controls::SeparatorLine* HeaderLine = nullptr;
    controls::Label* Label1 = nullptr;  // title
    controls::PushButton* CancelButton = nullptr;
    controls::PushButton* UninstallButton = nullptr;
    controls::Timer* FinishTimer = nullptr;
    controls::Label* Label2 = nullptr;  // subtitle
    controls::Label* Label3 = nullptr;  // explanatory text
    controls::ProgressBar* ProgressBar = nullptr;
    controls::Label* Label4 = nullptr;  // footer text
};

// Builds the window hidden, with every control, FinishTimer and the events
// wired, then loads the texts. The window owns the record it returns.
MainForm& CreateMainForm(std::unique_ptr<controls::Form>& window);

void ContentPanelPaint(MainForm& form, controls::Panel& sender, HDC dc);
void CancelButtonClick(MainForm& form);

// Defined by the removal and finishing subsystems.
void UninstallButtonClick(MainForm& form);
void FinishTimerTick(MainForm& form, controls::Timer& sender);

}  // namespace app
