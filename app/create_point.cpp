#include "app/create_point.h"

#include <memory>

namespace app {

std::string RestorePointDescription(platform::Clock& clock) {
  const std::string date = clock.ShortDateText(clock.Now());
  const std::string time = clock.TimeText(clock.Now());
  return "Hivesweep " + date + " " + time;
}

void CreatePoint(bool& Style, platform::RestorePoint& restorePoint, platform::Clock& clock) {
  static_cast<void>(Style);
  // Bound before the clock is read: binding can take seconds, and the
  // description should name the moment of the request.
  const std::unique_ptr<platform::RestoreService> service = restorePoint.Bind(kRestorePointMoniker);
  const std::string description = RestorePointDescription(clock);
  // Without the provider (no management service, System Restore off, access
  // refused) the removal goes on without a restore point; the answer is not
  // looked at either way.
  if (service) service->Call(kCreateRestorePointMethod, description, kModifySettings, kBeginSystemChange);
}

}  // namespace app
