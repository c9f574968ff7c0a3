// The request for a System Restore point before findings are removed. It only
// asks: whether the point was made is never checked, and every failure is
// silent.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/restore_point.h"

namespace app {

// What the request fixes: the provider's class object, its method and the
// kind of restore point.
constexpr char kRestorePointMoniker[] = "winmgmts:{impersonationLevel=impersonate}!root/default:SystemRestore";
constexpr char kCreateRestorePointMethod[] = "CreateRestorePoint";
constexpr std::int16_t kModifySettings = 12;      // RestorePointType
constexpr std::int16_t kBeginSystemChange = 100;  // EventType

// "Hivesweep ", the short date, " ", the time with seconds, in the user's
// locale; the date is read from the clock first and the time right after it.
std::string RestorePointDescription(platform::Clock& clock);

// Binds the provider, asks it for a restore point and releases it. `Style`
// has no effect.
void CreatePoint(bool& Style, platform::RestorePoint& restorePoint, platform::Clock& clock);

}  // namespace app
