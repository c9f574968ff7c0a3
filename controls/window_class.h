// Registration of the controls' window classes.
#pragma once

#include <windows.h>

namespace controls {

// The module that holds the given code address (the controls' own module,
// whether they are linked into the program or into a library).
HINSTANCE ModuleOf(const void* address);

// Registers a class once per process; later calls find it registered.
bool EnsureWindowClass(HINSTANCE module, const char* className, WNDPROC procedure, UINT style, HCURSOR cursor);

}  // namespace controls
