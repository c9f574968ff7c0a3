#include "platform/substitute/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/substitute/ansi_text.h"

namespace platform {

struct MemoryRegistry::Value {
  std::u32string name;
  std::u32string folded;
  std::uint32_t type = 0;
  std::string data;  // UTF-8 for string types, raw bytes otherwise
};

struct MemoryRegistry::Node : std::enable_shared_from_this<MemoryRegistry::Node> {
  std::u32string name;
  std::u32string folded;
  // Both kept sorted by folded name, so that an index reaches its entry at once.
  std::vector<std::shared_ptr<Node>> keys;
  std::vector<Value> values;
  bool refuseOpen = false;
  bool deleted = false;
  long keyEnumError = 0;
  std::uint32_t keyEnumFrom = 0;
  long valueEnumError = 0;
  std::uint32_t valueEnumFrom = 0;

  template <typename Items>
  static auto Position(Items& items, const std::u32string& folded) {
    return std::lower_bound(items.begin(), items.end(), folded, [](const auto& item, const std::u32string& f) {
      return Folded(item) < f;
    });
  }
  static const std::u32string& Folded(const std::shared_ptr<Node>& n) { return n->folded; }
  static const std::u32string& Folded(const Value& v) { return v.folded; }

  Node* Child(const std::u32string& childName) const {
    const std::u32string key = FoldCase(childName);
    auto it = Position(keys, key);
    return it != keys.end() && (*it)->folded == key ? it->get() : nullptr;
  }

  Node* AddChild(const std::u32string& childName) {
    const std::u32string key = FoldCase(childName);
    auto it = Position(keys, key);
    if (it != keys.end() && (*it)->folded == key) return it->get();
    auto child = std::make_shared<Node>();
    child->name = childName;
    child->folded = key;
    return keys.insert(it, std::move(child))->get();
  }

  void MarkDeleted() {
    deleted = true;
    for (auto& k : keys) k->MarkDeleted();
  }
};

namespace {

constexpr std::uint32_t kFirstRoot = 0x80000000u;
constexpr std::uint32_t kRootCount = 7;

bool IsRootHandle(RegHandle h) { return h >= kFirstRoot && h < kFirstRoot + kRootCount; }

bool IsStringType(std::uint32_t type) {
  return type == reg_type::kSz || type == reg_type::kExpandSz || type == reg_type::kMultiSz;
}

// Splits a key path at backslashes; false for an empty component, which names no key.
bool SplitPath(const std::u32string& path, std::vector<std::u32string>* parts) {
  parts->clear();
  if (path.empty()) return true;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(U'\\', start);
    std::u32string part = path.substr(start, end == std::u32string::npos ? std::u32string::npos : end - start);
    if (part.empty()) return false;
    parts->push_back(std::move(part));
    if (end == std::u32string::npos) return true;
    start = end + 1;
  }
}

std::u16string ToUtf16(std::u32string_view text) {
  std::u16string units;
  for (const char32_t c : text) {
    if (c < 0x10000) {
      units += static_cast<char16_t>(c);
    } else {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return units;
}

}  // namespace

MemoryRegistry::MemoryRegistry(const SubstituteCodePage& codePage) : codePage_(codePage) {
  for (std::uint32_t i = 0; i < kRootCount; ++i) roots_.push_back(std::make_shared<Node>());
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::RootNode(RegHandle handle) const {
  return IsRootHandle(handle) ? roots_[handle - kFirstRoot].get() : nullptr;
}

MemoryRegistry::Node* MemoryRegistry::NodeOf(RegHandle handle) const {
  if (Node* root = RootNode(handle)) return root;
  auto it = open_.find(handle);
  return it == open_.end() ? nullptr : it->second.get();
}

MemoryRegistry::Node* MemoryRegistry::Find(Node* base, const std::u32string& path) const {
  std::vector<std::u32string> parts;
  if (!SplitPath(path, &parts)) return nullptr;
  Node* node = base;
  for (const auto& part : parts) {
    node = node->Child(part);
    if (!node) return nullptr;
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Make(Node* base, const std::u32string& path) {
  std::vector<std::u32string> parts;
  if (!SplitPath(path, &parts)) return nullptr;
  Node* node = base;
  for (const auto& part : parts) node = node->AddChild(part);
  return node;
}

std::u32string MemoryRegistry::FromAnsi(const char* text) const {
  return text ? codePage_.Decode(text) : std::u32string();
}

RegHandle MemoryRegistry::NewHandle(Node* node) {
  // The handle shares ownership of its node, so that it outlives a deletion
  // of its key, as the platform's handles do.
  const RegHandle handle = nextHandle_;
  nextHandle_ += 4;
  open_.emplace(handle, node->shared_from_this());
  return handle;
}

long MemoryRegistry::OpenKeyEx(RegHandle key, const char* subKey, std::uint32_t /*options*/,
                               std::uint32_t /*access*/, RegHandle* result) {
  *result = 0;
  Node* base = NodeOf(key);
  if (!base) return reg_result::kInvalidHandle;
  if (base->deleted) return reg_result::kKeyDeleted;
  Node* node = Find(base, FromAnsi(subKey));
  if (!node) return reg_result::kFileNotFound;
  if (node->refuseOpen) return reg_result::kAccessDenied;
  *result = NewHandle(node);
  return reg_result::kSuccess;
}

long MemoryRegistry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                             std::uint32_t nameSize) {
  Node* node = NodeOf(key);
  if (!node) return reg_result::kInvalidHandle;
  if (node->deleted) return reg_result::kKeyDeleted;
  if (node->keyEnumError != 0 && index >= node->keyEnumFrom) return node->keyEnumError;
  if (index >= node->keys.size()) return reg_result::kNoMoreItems;
  const std::string ansi = codePage_.Encode(node->keys[index]->name);
  if (ansi.size() >= nameSize) return reg_result::kMoreData;
  std::memcpy(name, ansi.c_str(), ansi.size() + 1);
  return reg_result::kSuccess;
}

long MemoryRegistry::EnumValue(RegHandle key, std::uint32_t index, char* name,
                               std::uint32_t* nameLength, std::uint32_t* type,
                               unsigned char* data, std::uint32_t* dataLength) {
  Node* node = NodeOf(key);
  if (!node) return reg_result::kInvalidHandle;
  if (node->deleted) return reg_result::kKeyDeleted;
  if (node->valueEnumError != 0 && index >= node->valueEnumFrom) return node->valueEnumError;
  if (index >= node->values.size()) return reg_result::kNoMoreItems;
  const Value& value = node->values[index];
  const std::string ansiName = codePage_.Encode(value.name);
  const std::string bytes = IsStringType(value.type) ? codePage_.Encode(DecodeUtf8(value.data)) : value.data;
  if (ansiName.size() >= *nameLength) return reg_result::kMoreData;
  if (data && bytes.size() > *dataLength) {
    *dataLength = static_cast<std::uint32_t>(bytes.size());
    return reg_result::kMoreData;
  }
  std::memcpy(name, ansiName.c_str(), ansiName.size() + 1);
  *nameLength = static_cast<std::uint32_t>(ansiName.size());
  *type = value.type;
  if (data) std::memcpy(data, bytes.data(), bytes.size());
  *dataLength = static_cast<std::uint32_t>(bytes.size());
  return reg_result::kSuccess;
}

long MemoryRegistry::CloseKey(RegHandle key) {
  if (IsRootHandle(key)) return reg_result::kSuccess;
  return open_.erase(key) ? reg_result::kSuccess : reg_result::kInvalidHandle;
}

long MemoryRegistry::CreateKey(RegHandle key, const char* subKey, RegHandle* result) {
  *result = 0;
  Node* base = NodeOf(key);
  if (!base) return reg_result::kInvalidHandle;
  if (base->deleted) return reg_result::kKeyDeleted;
  const std::u32string path = FromAnsi(subKey);
  Node* existing = Find(base, path);
  if (existing && existing->refuseOpen) return reg_result::kAccessDenied;
  Node* node = existing ? existing : Make(base, path);
  if (!node) return reg_result::kFileNotFound;
  *result = NewHandle(node);
  return reg_result::kSuccess;
}

long MemoryRegistry::DeleteValue(RegHandle key, const char* valueName) {
  Node* node = NodeOf(key);
  if (!node) return reg_result::kInvalidHandle;
  if (node->deleted) return reg_result::kKeyDeleted;
  const std::u32string folded = FoldCase(FromAnsi(valueName));
  auto it = Node::Position(node->values, folded);
  if (it == node->values.end() || it->folded != folded) return reg_result::kFileNotFound;
  node->values.erase(it);
  return reg_result::kSuccess;
}

long MemoryRegistry::QueryValue(RegHandle root, const char* keyPath, const char* valueName, NamedValue* value) {
  Node* base = NodeOf(root);
  if (!base) return reg_result::kInvalidHandle;
  const std::u32string path = FromAnsi(keyPath);
  const Node* node = Find(base, path);
  if (!node) return reg_result::kFileNotFound;
  if (node->refuseOpen) return reg_result::kAccessDenied;
  const std::u32string name = FromAnsi(valueName);
  const std::u32string folded = FoldCase(name);
  auto it = Node::Position(node->values, folded);
  if (it == node->values.end() || it->folded != folded) return reg_result::kFileNotFound;
  value->keyPath = ToUtf16(path);
  value->name = ToUtf16(name);
  value->type = it->type;
  if (IsStringType(it->type)) {
    const std::u16string units = ToUtf16(DecodeUtf8(it->data));
    value->data.clear();
    for (const char16_t unit : units) {
      value->data += static_cast<char>(unit & 0xFF);
      value->data += static_cast<char>(unit >> 8);
    }
  } else {
    value->data = it->data;
  }
  return reg_result::kSuccess;
}

MemoryRegistry::Node* MemoryRegistry::FindUtf8(std::uint32_t root, const std::string& path) const {
  Node* base = RootNode(root);
  return base ? Find(base, DecodeUtf8(path)) : nullptr;
}

MemoryRegistry::Node* MemoryRegistry::MakeUtf8(std::uint32_t root, const std::string& path) {
  Node* base = RootNode(root);
  return base ? Make(base, DecodeUtf8(path)) : nullptr;
}

void MemoryRegistry::AddKey(std::uint32_t root, const std::string& path) { MakeUtf8(root, path); }

void MemoryRegistry::SetValue(std::uint32_t root, const std::string& path, const std::string& name,
                              std::uint32_t type, const std::string& data) {
  Node* node = MakeUtf8(root, path);
  if (!node) return;
  Value value;
  value.name = DecodeUtf8(name);
  value.folded = FoldCase(value.name);
  value.type = type;
  value.data = data;
  auto it = Node::Position(node->values, value.folded);
  if (it != node->values.end() && it->folded == value.folded) {
    *it = std::move(value);
  } else {
    node->values.insert(it, std::move(value));
  }
}

void MemoryRegistry::SetString(std::uint32_t root, const std::string& path, const std::string& name,
                               const std::string& text) {
  SetValue(root, path, name, reg_type::kSz, text + std::string(1, '\0'));
}

void MemoryRegistry::SetDword(std::uint32_t root, const std::string& path, const std::string& name,
                              std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  SetValue(root, path, name, reg_type::kDword, bytes);
}

void MemoryRegistry::DeleteKey(std::uint32_t root, const std::string& path) {
  const std::u32string full = DecodeUtf8(path);
  const std::size_t cut = full.rfind(U'\\');
  Node* parent = cut == std::u32string::npos ? RootNode(root) : FindUtf8(root, EncodeUtf8(full.substr(0, cut)));
  if (!parent) return;
  const std::u32string folded = FoldCase(cut == std::u32string::npos ? full : full.substr(cut + 1));
  auto it = Node::Position(parent->keys, folded);
  if (it == parent->keys.end() || (*it)->folded != folded) return;
  (*it)->MarkDeleted();
  parent->keys.erase(it);
}

bool MemoryRegistry::HasKey(std::uint32_t root, const std::string& path) const {
  return FindUtf8(root, path) != nullptr;
}

bool MemoryRegistry::HasValue(std::uint32_t root, const std::string& path, const std::string& name) const {
  const Node* node = FindUtf8(root, path);
  if (!node) return false;
  const std::u32string folded = FoldCase(DecodeUtf8(name));
  return std::any_of(node->values.begin(), node->values.end(),
                     [&](const Value& v) { return v.folded == folded; });
}

std::size_t MemoryRegistry::KeyCount() const {
  std::size_t count = 0;
  std::vector<const Node*> pending;
  for (const auto& root : roots_) pending.push_back(root.get());
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    count += node->keys.size();
    for (const auto& child : node->keys) pending.push_back(child.get());
  }
  return count;
}

void MemoryRegistry::RefuseOpen(std::uint32_t root, const std::string& path) {
  if (Node* node = MakeUtf8(root, path)) node->refuseOpen = true;
}

void MemoryRegistry::FailKeyEnumeration(std::uint32_t root, const std::string& path, long error,
                                        std::uint32_t fromIndex) {
  if (Node* node = MakeUtf8(root, path)) {
    node->keyEnumError = error;
    node->keyEnumFrom = fromIndex;
  }
}

void MemoryRegistry::FailValueEnumeration(std::uint32_t root, const std::string& path, long error,
                                          std::uint32_t fromIndex) {
  if (Node* node = MakeUtf8(root, path)) {
    node->valueEnumError = error;
    node->valueEnumFrom = fromIndex;
  }
}

}  // namespace platform
