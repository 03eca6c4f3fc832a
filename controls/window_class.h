// Registration of this layer's window classes and the hand-over of a
// window to its object at creation.
#pragma once

#include <windows.h>

namespace controls {

class Control;

// Registers a class once per process; later calls do nothing.
void RegisterWindowClassOnce(const char* name, WNDPROC procedure, HBRUSH background);

// For a window procedure: on WM_NCCREATE hands the window to the object
// passed to CreateWindowEx; returns the object behind the window, or null.
Control* ControlForMessage(HWND window, UINT message, LPARAM lparam);

}  // namespace controls
