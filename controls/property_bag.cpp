#include "controls/property_bag.h"

#include <algorithm>
#include <limits>

namespace controls {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

const PropertyBag::Entry* PropertyBag::Find(std::string_view key) const {
  for (const Entry& entry : entries_) {
    if (SameKey(entry.key, key)) return &entry;
  }
  return nullptr;
}

PropertyBag::Entry* PropertyBag::Find(std::string_view key) {
  return const_cast<Entry*>(static_cast<const PropertyBag*>(this)->Find(key));
}

void PropertyBag::Set(std::string_view key, PropertyValue value) {
  if (Entry* entry = Find(key)) {
    entry->value = std::move(value);
    return;
  }
  entries_.push_back(Entry{std::string(key), std::move(value)});
}

void PropertyBag::Write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue) {
  if (value == defaultValue) {
    Remove(key);
    return;
  }
  Set(key, std::move(value));
}

bool PropertyBag::Remove(std::string_view key) {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return SameKey(e.key, key); });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

bool PropertyBag::Contains(std::string_view key) const { return Find(key) != nullptr; }

PropertyValue PropertyBag::Read(std::string_view key, PropertyValue defaultValue) const {
  const Entry* entry = Find(key);
  return entry ? entry->value : defaultValue;
}

std::int64_t PropertyBag::ReadInteger(std::string_view key, std::int64_t defaultValue) const {
  const Entry* entry = Find(key);
  if (!entry) return defaultValue;
  if (const auto* number = std::get_if<std::int64_t>(&entry->value)) return *number;
  if (const auto* flag = std::get_if<bool>(&entry->value)) return *flag ? -1 : 0;
  throw PropertyTypeError(std::string(key));
}

std::int32_t PropertyBag::ReadInt32(std::string_view key, std::int32_t defaultValue) const {
  const std::int64_t value = ReadInteger(key, defaultValue);
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("Overflow: " + std::string(key));
  }
  return static_cast<std::int32_t>(value);
}

OleColor PropertyBag::ReadColor(std::string_view key, OleColor defaultValue) const {
  const std::int64_t value = ReadInteger(key, defaultValue);
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::uint32_t>::max()) {
    throw std::overflow_error("Overflow: " + std::string(key));
  }
  return static_cast<OleColor>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

bool PropertyBag::ReadBool(std::string_view key, bool defaultValue) const {
  const Entry* entry = Find(key);
  if (!entry) return defaultValue;
  if (const auto* flag = std::get_if<bool>(&entry->value)) return *flag;
  if (const auto* number = std::get_if<std::int64_t>(&entry->value)) return *number != 0;
  throw PropertyTypeError(std::string(key));
}

std::string PropertyBag::ReadText(std::string_view key, const std::string& defaultValue) const {
  const Entry* entry = Find(key);
  if (!entry) return defaultValue;
  if (const auto* text = std::get_if<std::string>(&entry->value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&entry->value)) return std::to_string(*number);
  if (const auto* flag = std::get_if<bool>(&entry->value)) return *flag ? "True" : "False";
  throw PropertyTypeError(std::string(key));
}

FontSpec PropertyBag::ReadFont(std::string_view key, const FontSpec& defaultValue) const {
  const Entry* entry = Find(key);
  if (!entry) return defaultValue;
  if (const auto* font = std::get_if<FontSpec>(&entry->value)) return *font;
  throw PropertyTypeError(std::string(key));
}

PicturePtr PropertyBag::ReadPicture(std::string_view key, const PicturePtr& defaultValue) const {
  const Entry* entry = Find(key);
  if (!entry) return defaultValue;
  if (const auto* picture = std::get_if<PicturePtr>(&entry->value)) return *picture;
  if (std::holds_alternative<std::monostate>(entry->value)) return nullptr;
  throw PropertyTypeError(std::string(key));
}

}  // namespace controls
