// Ownership of COM objects and of the thread's COM apartment.
#pragma once

#include <objbase.h>

namespace platform {

// Holds one reference to a COM interface and releases it when destroyed.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a call that hands out a new reference; drops the one held before.
  void** Receive() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }
  void Reset() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

// Joins the calling thread to a single-threaded apartment for its lifetime. A
// thread that already lives in an apartment keeps it: COM then works as it was
// set up, and only a successful join is undone.
class ComApartment {
 public:
  ComApartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(status_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False only when COM cannot be used on this thread at all.
  bool Usable() const { return SUCCEEDED(status_) || status_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT status_;
};

}  // namespace platform
