// Initialisation of the system's common controls.
#pragma once

namespace controls {

// InitCommonControls: registers the classes of the common controls.
void InitCommonControlsOnce();

// InitCommonControlsEx with every standard class, where the system has it.
void InitStandardControlClasses();

}  // namespace controls
