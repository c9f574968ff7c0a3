#include "controls/accessible.h"

#include <oleacc.h>

#include <vector>

#include "platform/debug_trace.h"

namespace controls {

const GUID kAccessibleInterface = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

const GUID kUnknownInterface = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kDispatchInterface = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Nothing may unwind into the caller of a COM method.
template <typename Body>
HRESULT Guarded(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    platform::TraceIgnoredError("an accessibility call");
    return E_FAIL;
  }
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

HRESULT Number(long value, VARIANT* out) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

std::vector<HWND> ChildWindows(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HRESULT WindowObject(HWND window, IDispatch** out) {
  return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), kDispatchInterface,
                                    reinterpret_cast<void**>(out));
}

}  // namespace

long WindowState(HWND window, bool focusable) {
  long state = 0;
  if (!IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window)) {
    state |= STATE_SYSTEM_UNAVAILABLE;
  } else if (focusable) {
    state |= STATE_SYSTEM_FOCUSABLE;
  }
  if (GetFocus() == window) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

class AccessibleConnection::Object final : public IAccessible {
 public:
  explicit Object(AccessibleSource& source) : source_(&source) {}
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  void Disconnect() { source_ = nullptr; }

  // --- IUnknown, IDispatch ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != kUnknownInterface && iid != kDispatchInterface && iid != kAccessibleInterface) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // --- IAccessible ---
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return WindowObject(source_->AccessibleWindow(), parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      *count = source_->ElementCount() + static_cast<LONG>(ChildWindows(source_->AccessibleWindow()).size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    if (!child) return E_POINTER;
    *child = nullptr;
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      if (ElementOf(id) > 0) return S_FALSE;  // a simple element: no object of its own
      const HWND window = ChildWindowOf(id);
      return window ? WindowObject(window, child) : E_INVALIDARG;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    return Describing(id, name, [&](const AccessibleDescription& d) { return Text(Wide(d.name), name); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override { return Nothing(id, value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override { return Nothing(id, text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    return Describing(id, role, [&](const AccessibleDescription& d) { return Number(d.role, role); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    return Describing(id, state, [&](const AccessibleDescription& d) { return Number(d.state, state); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override { return Nothing(id, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
    if (!topic) return E_POINTER;
    *topic = 0;
    return Nothing(id, file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
    return Nothing(id, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!source_) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() == source_->AccessibleWindow()) Number(CHILDID_SELF, focus);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    return source_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    return Describing(id, action, [&](const AccessibleDescription& d) {
      return Text(d.defaultAction ? d.defaultAction : L"", action);
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      const long element = ElementOf(id);
      if (element < 0) return E_INVALIDARG;
      if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
      if (element != 0 || !(source_->Describe(0).state & STATE_SYSTEM_FOCUSABLE)) return S_FALSE;
      SetFocus(source_->AccessibleWindow());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) override {
    if (!left || !top || !width || !height) return E_POINTER;
    return Describing(id, left, [&](const AccessibleDescription& d) {
      *left = d.screen.left, *top = d.screen.top;
      *width = d.screen.right - d.screen.left, *height = d.screen.bottom - d.screen.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    return source_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      const POINT point{x, y};
      const RECT self = source_->Describe(0).screen;
      if (!PtInRect(&self, point)) return S_FALSE;
      for (long element = 1; element <= source_->ElementCount(); ++element) {
        const AccessibleDescription d = source_->Describe(element);
        if (!(d.state & STATE_SYSTEM_INVISIBLE) && PtInRect(&d.screen, point)) return Number(element, hit);
      }
      for (HWND child : ChildWindows(source_->AccessibleWindow())) {
        const RECT r = ScreenRect(child);
        if (!IsWindowVisible(child) || !PtInRect(&r, point)) continue;
        IDispatch* object = nullptr;
        if (FAILED(WindowObject(child, &object)) || !object) break;
        hit->vt = VT_DISPATCH;
        hit->pdispVal = object;
        return S_OK;
      }
      return Number(CHILDID_SELF, hit);
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      const long element = ElementOf(id);
      if (element < 0) return E_INVALIDARG;
      if (!source_->Describe(element).defaultAction) return DISP_E_MEMBERNOTFOUND;
      source_->DoDefaultAction(element);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~Object() = default;

  // The element a child id names (0 is the window itself), or -1 when it
  // names none of them.
  long ElementOf(const VARIANT& id) const {
    if (id.vt != VT_I4 || id.lVal < 0 || id.lVal > source_->ElementCount()) return -1;
    return id.lVal;
  }
  HWND ChildWindowOf(const VARIANT& id) const {
    if (id.vt != VT_I4) return nullptr;
    const long index = id.lVal - source_->ElementCount() - 1;
    const std::vector<HWND> children = ChildWindows(source_->AccessibleWindow());
    return index >= 0 && index < static_cast<long>(children.size()) ? children[static_cast<std::size_t>(index)]
                                                                      : nullptr;
  }
  // Answers from the description of the element `id` names.
  template <typename Out, typename Answer>
  HRESULT Describing(const VARIANT& id, Out* out, Answer answer) {
    if (!out) return E_POINTER;
    if (!source_) return CO_E_OBJNOTCONNECTED;
    return Guarded([&] {
      const long element = ElementOf(id);
      return element < 0 ? E_INVALIDARG : answer(source_->Describe(element));
    });
  }
  // A property no element has.
  HRESULT Nothing(const VARIANT& id, BSTR* out) {
    if (out) *out = nullptr;
    return Describing(id, out, [](const AccessibleDescription&) { return S_FALSE; });
  }

  LONG references_ = 1;
  AccessibleSource* source_;
};

LRESULT AccessibleConnection::Answer(WPARAM wParam, LPARAM lParam) {
  // The object id travels in the low 32 bits.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return 0;
  if (!object_) object_ = new Object(source_);
  return LresultFromObject(kAccessibleInterface, wParam, object_);
}

bool AccessibleConnection::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
  if (message == WM_DESTROY) Disconnect();
  if (message != WM_GETOBJECT) return false;
  *answer = Answer(wParam, lParam);
  return *answer != 0;
}

void AccessibleConnection::Disconnect() {
  if (!object_) return;
  object_->Disconnect();
  // Drops the references that clients' connections hold, then ours.
  CoDisconnectObject(object_, 0);
  object_->Release();
  object_ = nullptr;
}

}  // namespace controls
