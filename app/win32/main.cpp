// Hivesweep's entry point: the platform facilities, the main window and the
// message loop.
#include <windows.h>

#include <string>

#include "app/win32/form1.h"
#include "platform/win32/com_ref.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_restore_point.h"
#include "platform/win32/win32_shell.h"

namespace {

// The folder holding the executable, without a trailing backslash.
std::string ApplicationFolder() {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length < sizeof(path) ? length : 0);
  const std::size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // Screen readers reach the controls' accessible objects through COM.
  platform::ComApartment apartment;
  platform::Win32InstanceGuard instanceGuard;
  platform::Win32Registry registry;
  platform::Win32MessagePump pump;
  platform::Win32MessageBoxes boxes;
  platform::Win32FileSystem files;
  platform::Win32Clock clock;
  platform::Win32RestorePoint restorePoint;
  platform::Win32Shell shell;

  app::Form1 form({registry, pump, boxes, files, clock, restorePoint, shell, instanceGuard, ApplicationFolder(),
                   [] { ExitProcess(0); }});
  if (!form.Load(instance, showCommand)) return 0;
  boxes.SetOwner(form.Handle());
  shell.SetOwner(form.Handle());

  // Tab moves the focus through the controls, in this loop and while a scan
  // processes the messages.
  pump.SetDialogKeys([&form](const MSG& message) { return form.PreTranslateMessage(message); });
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
