#include "platform/substitute/recording_restore_point.h"

#include <utility>

namespace platform {

class RecordingRestorePoint::Service final : public RestoreService {
 public:
  Service(RecordingRestorePoint& owner, std::string moniker, std::unique_ptr<RestoreService> forwarded)
      : owner_(owner), moniker_(std::move(moniker)), forwarded_(std::move(forwarded)) {}
  ~Service() override {
    forwarded_.reset();
    ++owner_.released_;
  }
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  RestoreCallOutcome Call(const std::string& method, const std::string& description, std::int16_t restorePointType,
                          std::int16_t eventType) override {
    const RestoreCallOutcome outcome =
        forwarded_ ? forwarded_->Call(method, description, restorePointType, eventType) : owner_.answer_;
    owner_.calls_.push_back({moniker_, method, description, restorePointType, eventType, outcome});
    return outcome;
  }

 private:
  RecordingRestorePoint& owner_;
  std::string moniker_;
  std::unique_ptr<RestoreService> forwarded_;
};

std::unique_ptr<RestoreService> RecordingRestorePoint::Bind(const std::string& moniker) {
  bindings_.push_back(moniker);
  std::unique_ptr<RestoreService> forwarded;
  if (forwardTo_ != nullptr) {
    forwarded = forwardTo_->Bind(moniker);
    if (!forwarded) return nullptr;
  } else if (refuseBinding_) {
    return nullptr;
  }
  ++bound_;
  return std::make_unique<Service>(*this, moniker, std::move(forwarded));
}

}  // namespace platform
