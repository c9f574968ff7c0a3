// A set of named property values, as a host keeps each placed control's
// properties with its stored layout. Keys are matched without regard to case
// (ASCII); entries keep the order in which they were first written.
//
// Controls write each property with its default and read each with a default
// for a missing key; a value equal to its default is left out of the bag.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls/font_style.h"
#include "controls/ole_color.h"
#include "controls/picture_image.h"

namespace controls {

// No value (a missing picture), Boolean, integer (wide enough for any 32-bit
// signed or unsigned value, so that an out-of-range stored number can be told
// apart), text, font, picture.
using PropertyValue = std::variant<std::monostate, bool, std::int64_t, std::string, FontSpec, PicturePtr>;

// A stored value whose type does not fit the property it is read into.
class PropertyTypeError : public std::runtime_error {
 public:
  explicit PropertyTypeError(const std::string& key) : std::runtime_error("Type mismatch: " + key) {}
};

class PropertyBag {
 public:
  struct Entry {
    std::string key;
    PropertyValue value;
  };

  // Stores value under key, replacing any value stored under the same key.
  void Set(std::string_view key, PropertyValue value);
  // Stores value, or removes key when value equals defaultValue.
  void Write(std::string_view key, PropertyValue value, const PropertyValue& defaultValue);
  bool Remove(std::string_view key);

  bool Contains(std::string_view key) const;
  // The stored value, or defaultValue when key is missing.
  PropertyValue Read(std::string_view key, PropertyValue defaultValue) const;

  // Typed reads with a default. Integers read into a 32-bit property throw
  // std::overflow_error outside its range; a value of a foreign type throws
  // PropertyTypeError. Booleans read as integers give -1 and 0; integers read
  // as Booleans are true when not 0.
  std::int64_t ReadInteger(std::string_view key, std::int64_t defaultValue) const;
  std::int32_t ReadInt32(std::string_view key, std::int32_t defaultValue) const;
  // Colours may be stored signed or unsigned: 0x8000000F and -2147483633 are
  // the same colour.
  OleColor ReadColor(std::string_view key, OleColor defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;
  std::string ReadText(std::string_view key, const std::string& defaultValue) const;
  FontSpec ReadFont(std::string_view key, const FontSpec& defaultValue) const;
  PicturePtr ReadPicture(std::string_view key, const PicturePtr& defaultValue) const;

  const std::vector<Entry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }

 private:
  const Entry* Find(std::string_view key) const;
  Entry* Find(std::string_view key);

  std::vector<Entry> entries_;
};

}  // namespace controls
