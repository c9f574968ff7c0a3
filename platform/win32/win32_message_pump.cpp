#include "platform/win32/win32_message_pump.h"

#include <windows.h>

namespace platform {

void Win32MessagePump::ProcessPending() {
  const ULONGLONG now = GetTickCount64();
  if (now - lastPeekMs_ < kPeekIntervalMs && HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;
  lastPeekMs_ = now;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the main message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (dialogKeys_ && dialogKeys_(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace platform
