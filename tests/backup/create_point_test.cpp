// The restore-point request: what is bound, what is called with which
// arguments, and that nothing stops the caller when the platform says no.
#include "app/create_point.h"

#include <gtest/gtest.h>

#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/recording_restore_point.h"

namespace {

using platform::LocalTime;
using platform::RestoreCallStage;

constexpr LocalTime kEvening{2026, 12, 4, 19, 9, 45};
constexpr char kMoniker[] = "winmgmts:{impersonationLevel=impersonate}!root/default:SystemRestore";

TEST(CreatePoint, EachRequestBindsCallsOnceAndReleases) {
  platform::FixedClock clock(kEvening);
  platform::RecordingRestorePoint restore;
  bool style = true;
  app::CreatePoint(style, restore, clock);

  EXPECT_EQ(restore.Bindings(), std::vector<std::string>{kMoniker});
  ASSERT_EQ(restore.Calls().size(), 1u);
  const platform::RecordedRestoreCall call = restore.Calls()[0];
  EXPECT_EQ(call.moniker, kMoniker);
  EXPECT_EQ(call.method, "CreateRestorePoint");
  EXPECT_EQ(call.description, "Hivesweep 12/4/2026 7:09:45 PM");
  EXPECT_EQ(call.restorePointType, 12);
  EXPECT_EQ(call.eventType, 100);
  EXPECT_EQ(restore.Released(), 1);

  // Style changes nothing, and every request binds and calls afresh.
  bool off = false;
  app::CreatePoint(off, restore, clock);
  ASSERT_EQ(restore.Calls().size(), 2u);
  EXPECT_EQ(restore.Calls()[1].description, call.description);
  EXPECT_EQ(restore.Released(), 2);
  EXPECT_TRUE(style);
  EXPECT_FALSE(off);
}

TEST(CreatePoint, DateIsReadFirstAndTheTimeRightAfter) {
  platform::FixedClock clock({{2026, 12, 4, 23, 59, 59}, {2026, 12, 5, 0, 0, 0}});
  platform::RecordingRestorePoint restore;
  bool style = true;
  app::CreatePoint(style, restore, clock);
  EXPECT_EQ(clock.Reads(), 2);
  ASSERT_EQ(restore.Calls().size(), 1u);
  EXPECT_EQ(restore.Calls()[0].description, "Hivesweep 12/4/2026 12:00:00 AM");
}

TEST(CreatePoint, RefusedBindingOrCallIsSilent) {
  platform::FixedClock clock(kEvening);
  bool style = true;

  platform::RecordingRestorePoint unbound;
  unbound.RefuseBinding(true);
  app::CreatePoint(style, unbound, clock);
  EXPECT_EQ(unbound.Bindings().size(), 1u);
  EXPECT_TRUE(unbound.Calls().empty());

  platform::RecordingRestorePoint refusing;
  refusing.AnswerCalls({RestoreCallStage::kRefused, static_cast<std::int32_t>(0x80070005u)});
  app::CreatePoint(style, refusing, clock);
  EXPECT_EQ(refusing.Calls().size(), 1u);
  EXPECT_EQ(refusing.Released(), 1);
}

}  // namespace
