// Delete: after a confirmation, ask for a restore point, write the backup of
// the checked rows and its exact twin, then delete each checked finding from
// the registry as a value and take its row off the list.
#pragma once

#include "app/list_view.h"
#include "app/main_view.h"
#include "engine/text_compare.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/restore_point.h"

namespace app {

struct RemovalPlatform {
  platform::Registry& registry;
  platform::MessagePump& pump;
  platform::MessageBoxes& boxes;
  platform::FileSystem& files;
  platform::Clock& clock;
  platform::RestorePoint& restorePoint;
  // The system ANSI code page, by which sub paths are split and escaped.
  const platform::CodePage& codePage = engine::DefaultCodePage();
};

class ErrorRemoval {
 public:
  ErrorRemoval(MainView& view, ListView& lvErrorRegKey, const RemovalPlatform& platform)
      : view_(view), lvErrorRegKey_(lvErrorRegKey), platform_(platform) {}

  void removeselcmd_Click();

 private:
  MainView& view_;
  ListView& lvErrorRegKey_;
  RemovalPlatform platform_;
  bool removing_ = false;
};

}  // namespace app
