// A restore-point facility that records every binding, call and release. On
// its own it binds any moniker and answers every call as it is told; given a
// facility to forward to, it passes each step on and records the answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/restore_point.h"

namespace platform {

struct RecordedRestoreCall {
  std::string moniker;
  std::string method;
  std::string description;
  std::int16_t restorePointType = 0;
  std::int16_t eventType = 0;
  RestoreCallOutcome outcome;
};

class RecordingRestorePoint final : public RestorePoint {
 public:
  RecordingRestorePoint() = default;
  explicit RecordingRestorePoint(RestorePoint& forwardTo) : forwardTo_(&forwardTo) {}

  std::unique_ptr<RestoreService> Bind(const std::string& moniker) override;

  // Answers of a facility that forwards nowhere.
  void RefuseBinding(bool refuse) { refuseBinding_ = refuse; }
  void AnswerCalls(RestoreCallOutcome outcome) { answer_ = outcome; }

  // Every moniker asked for, bound or not.
  const std::vector<std::string>& Bindings() const { return bindings_; }
  int Bound() const { return bound_; }
  const std::vector<RecordedRestoreCall>& Calls() const { return calls_; }
  int Released() const { return released_; }

 private:
  class Service;

  RestorePoint* forwardTo_ = nullptr;
  bool refuseBinding_ = false;
  RestoreCallOutcome answer_{RestoreCallStage::kAnswered, 0};
  std::vector<std::string> bindings_;
  int bound_ = 0;
  std::vector<RecordedRestoreCall> calls_;
  int released_ = 0;
};

}  // namespace platform
