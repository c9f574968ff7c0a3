// The restore-point request against Wine's management service, which binds
// the System Restore class and knows the method's name but refuses the call.
#include "platform/win32/win32_restore_point.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/create_point.h"
#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/recording_restore_point.h"

namespace {

using platform::RestoreCallStage;

constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001u);  // E_NOTIMPL

// An unknown namespace or moniker is not bound.
TEST(Win32RestorePoint, BindsTheProviderOnlyAndReachesTheCall) {
  platform::Win32RestorePoint restore;
  EXPECT_EQ(restore.Bind("winmgmts:{impersonationLevel=impersonate}!root/nosuchnamespace:NoSuchClass"), nullptr);
  EXPECT_EQ(restore.Bind("nosuchmoniker:at all"), nullptr);
  EXPECT_EQ(restore.Bind(""), nullptr);
  const auto service = restore.Bind(app::kRestorePointMoniker);
  ASSERT_NE(service, nullptr);
  const platform::RestoreCallOutcome outcome =
      service->Call(app::kCreateRestorePointMethod, "Hivesweep test", app::kModifySettings, app::kBeginSystemChange);
  EXPECT_TRUE(outcome.stage == RestoreCallStage::kRefused && outcome.status == kNotImplemented);
  EXPECT_EQ(service->Call("NoSuchMethodHere", "x", 1, 2).stage, RestoreCallStage::kNoSuchMethod);
}

// The request leaves the thread's COM state as it found it: joined for the
// call and left after it, or kept when the thread already had an apartment.
TEST(CreatePointUnderWine, LeavesTheThreadsComStateAsItWas) {
  platform::Win32RestorePoint restore;
  platform::FixedClock clock({2026, 12, 4, 19, 9, 45});
  bool style = true;

  app::CreatePoint(style, restore, clock);
  const HRESULT fresh = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(fresh, S_OK) << "the request left the apartment joined";
  if (SUCCEEDED(fresh)) CoUninitialize();

  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  platform::RecordingRestorePoint recorded(restore);
  app::CreatePoint(style, recorded, clock);
  ASSERT_EQ(recorded.Calls().size(), 1u);
  EXPECT_TRUE(recorded.Calls()[0].outcome.status == kNotImplemented && recorded.Released() == 1);
  const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(again, S_FALSE) << "the request left the thread's own apartment";
  if (SUCCEEDED(again)) CoUninitialize();
  CoUninitialize();
}

}  // namespace
