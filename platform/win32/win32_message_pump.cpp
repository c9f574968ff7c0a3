#include "platform/win32/win32_message_pump.h"

#include <windows.h>

namespace platform {

void Win32MessagePump::ProcessPending() {
  const ULONGLONG now = GetTickCount64();
  const bool paintDue = now - lastPaintMs_ >= kPaintIntervalMs;
  if (now - lastPeekMs_ < kPeekIntervalMs) {
    const UINT pending = HIWORD(GetQueueStatus(QS_ALLINPUT));
    if (pending == 0 || (!paintDue && (pending & ~QS_PAINT) == 0)) return;
  }
  lastPeekMs_ = now;
  const UINT filter = paintDue ? PM_REMOVE : PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, filter)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the main message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (msg.message == WM_PAINT) lastPaintMs_ = now;
    if (dialogKeys_ && dialogKeys_(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace platform
