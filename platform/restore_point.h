// The restore-point facility: an object of the platform's management service
// bound through a moniker, on which one method is called by name with a
// description and two 16-bit integers. Each step reports how far it got; the
// program itself ignores the answers, tests read them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class RestoreCallStage {
  kNoSuchMethod,  // the object does not know the method's name
  kRefused,       // the method was called and the call failed
  kAnswered,      // the call returned; its result is not looked at
};

struct RestoreCallOutcome {
  RestoreCallStage stage = RestoreCallStage::kNoSuchMethod;
  std::int32_t status = 0;  // the platform's status code of the last step (HRESULT on Windows)
};

// A bound object; destroying it releases the object.
class RestoreService {
 public:
  virtual ~RestoreService() = default;
  virtual RestoreCallOutcome Call(const std::string& method, const std::string& description,
                                  std::int16_t restorePointType, std::int16_t eventType) = 0;
};

class RestorePoint {
 public:
  virtual ~RestorePoint() = default;
  // The object the moniker names, or null when it cannot be bound.
  virtual std::unique_ptr<RestoreService> Bind(const std::string& moniker) = 0;
};

}  // namespace platform
