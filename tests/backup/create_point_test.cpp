// The restore-point request: what is bound, what is called with which
// arguments, and that nothing stops the caller when the platform says no.
#include "app/create_point.h"

#include <gtest/gtest.h>

#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/recording_restore_point.h"

namespace {

using platform::LocalTime;

// Every request binds, calls once and releases; Style changes nothing. The
// description names the date of one clock reading and the time of the next.
// A refused binding or call stops nothing and shows nothing.
TEST(CreatePoint, EachRequestBindsCallsOnceAndReleases) {
  const struct {
    std::vector<LocalTime> readings;
    bool style;
    const char* description;
  } cases[] = {{{{2026, 12, 4, 19, 9, 45}}, true, "Hivesweep 12/4/2026 7:09:45 PM"},
               {{{2026, 12, 4, 23, 59, 59}, {2026, 12, 5, 0, 0, 0}}, false, "Hivesweep 12/4/2026 12:00:00 AM"},
               {{{2026, 1, 2, 12, 0, 5}}, true, "Hivesweep 1/2/2026 12:00:05 PM"}};
  platform::RecordingRestorePoint restore, unbound, refusing;
  for (const auto& c : cases) {
    platform::FixedClock clock(c.readings);
    bool style = c.style;
    app::CreatePoint(style, restore, clock);
    EXPECT_EQ(style, c.style);
    const platform::RecordedRestoreCall& call = restore.Calls().back();
    EXPECT_EQ(call.moniker + " " + call.method + " " + call.description,
              "winmgmts:{impersonationLevel=impersonate}!root/default:SystemRestore CreateRestorePoint " +
                  std::string(c.description));
    EXPECT_EQ(call.restorePointType, 12);
    EXPECT_EQ(call.eventType, 100);
  }
  EXPECT_EQ(restore.Bindings().size(), 3u);
  EXPECT_EQ(restore.Calls().size(), 3u);
  EXPECT_EQ(restore.Released(), 3);

  platform::FixedClock clock(LocalTime{2026, 12, 4, 19, 9, 45});
  bool style = true;
  unbound.RefuseBinding(true);
  app::CreatePoint(style, unbound, clock);
  EXPECT_EQ(unbound.Bindings().size(), 1u);
  EXPECT_TRUE(unbound.Calls().empty());
  refusing.AnswerCalls({platform::RestoreCallStage::kRefused, static_cast<std::int32_t>(0x80070005u)});
  app::CreatePoint(style, refusing, clock);
  EXPECT_EQ(refusing.Released(), 1);
}

}  // namespace
