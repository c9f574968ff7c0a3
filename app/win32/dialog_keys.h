// The keys a dialog's message loop takes before a message is translated:
// Tab and Shift+Tab move the focus through a window's controls.
#pragma once

#include <windows.h>

namespace app {

// Moves the focus on Tab (Shift+Tab: backwards) through the enabled, visible
// tab stops inside `root`, in screen order: top to bottom, then left to right,
// around at either end. A focus on a control that is no stop (disabled
// meanwhile) moves to the stop after its place. With the focus nowhere in
// `root` (the system takes it from a control it disables), Tab goes on from
// the place of `lostFocus` when there is one, else from the start. True when
// the message was such a key and is taken.
bool HandleDialogKey(HWND root, const MSG& message, HWND lostFocus = nullptr);

}  // namespace app
