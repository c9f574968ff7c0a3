#include "platform/win32/win32_restore_point.h"

#include <windows.h>
#include <oleauto.h>

#include "platform/win32/com_ref.h"

namespace platform {
namespace {

std::wstring Widen(const std::string& ansi) {
  if (ansi.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
  return wide;
}

// The arguments of one dispatch call, in the call's own order (last first),
// cleared when they go.
template <std::size_t N>
class Arguments {
 public:
  Arguments() {
    for (VARIANTARG& v : values_) VariantInit(&v);
  }
  ~Arguments() {
    for (VARIANTARG& v : values_) VariantClear(&v);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  // Argument `position` counted from the first, as the method declares them.
  VARIANTARG& Declared(std::size_t position) { return values_[N - 1 - position]; }
  VARIANTARG* Packed() { return values_; }

 private:
  VARIANTARG values_[N];
};

// The texts a refused call may leave behind.
class ExceptionInfo {
 public:
  ExceptionInfo() : info_() {}
  ~ExceptionInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  EXCEPINFO* Get() { return &info_; }

 private:
  EXCEPINFO info_;
};

class Win32RestoreService final : public RestoreService {
 public:
  // Null when COM cannot be used here or the moniker binds to no object.
  static std::unique_ptr<Win32RestoreService> Open(const std::string& moniker) {
    std::unique_ptr<Win32RestoreService> service(new Win32RestoreService());
    if (!service->apartment_.Usable()) return nullptr;
    const std::wstring name = Widen(moniker);
    if (FAILED(CoGetObject(name.c_str(), nullptr, IID_IDispatch, service->object_.Receive())) || !service->object_) {
      return nullptr;
    }
    return service;
  }

  RestoreCallOutcome Call(const std::string& method, const std::string& description, std::int16_t restorePointType,
                          std::int16_t eventType) override {
    std::wstring name = Widen(method);
    name.push_back(L'\0');
    LPOLESTR names[] = {&name[0]};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return {RestoreCallStage::kNoSuchMethod, static_cast<std::int32_t>(hr)};

    Arguments<3> arguments;
    const std::wstring wideDescription = Widen(description);
    arguments.Declared(0).vt = VT_BSTR;
    arguments.Declared(0).bstrVal =
        SysAllocStringLen(wideDescription.data(), static_cast<UINT>(wideDescription.size()));
    arguments.Declared(1).vt = VT_I2;
    arguments.Declared(1).iVal = restorePointType;
    arguments.Declared(2).vt = VT_I2;
    arguments.Declared(2).iVal = eventType;
    DISPPARAMS parameters = {arguments.Packed(), nullptr, 3, 0};

    Arguments<1> result;
    ExceptionInfo exception;
    UINT badArgument = 0;
    hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result.Packed(),
                         exception.Get(), &badArgument);
    return {SUCCEEDED(hr) ? RestoreCallStage::kAnswered : RestoreCallStage::kRefused, static_cast<std::int32_t>(hr)};
  }

 private:
  Win32RestoreService() = default;

  // Destroyed in reverse order: the object is released before the apartment is left.
  ComApartment apartment_;
  ComRef<IDispatch> object_;
};

}  // namespace

std::unique_ptr<RestoreService> Win32RestorePoint::Bind(const std::string& moniker) {
  return Win32RestoreService::Open(moniker);
}

}  // namespace platform
