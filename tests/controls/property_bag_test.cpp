// The property bag: keys without regard to case, defaults for missing keys,
// defaults left out on writing, typed reads.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/property_bag.h"

namespace {

using controls::PropertyBag;
using controls::PropertyValue;

TEST(PropertyBag, KeysMatchWithoutRegardToCaseAndKeepTheirOrder) {
  PropertyBag bag;
  bag.Set("buttonstyle", std::int64_t{7});
  bag.Set("Caption", std::string("Exit"));
  bag.Set("BUTTONSTYLE", std::int64_t{8});  // replaces, keeps its place
  EXPECT_EQ(bag.ReadInt32("ButtonStyle", 1), 8);
  ASSERT_EQ(bag.Entries().size(), 2u);
  EXPECT_EQ(bag.Entries()[0].key, "buttonstyle");
  EXPECT_EQ(bag.ReadText("caption", "x"), "Exit");
  EXPECT_EQ(bag.ReadText("Missing", "fallback"), "fallback");
}

TEST(PropertyBag, WriteLeavesOutValuesEqualToTheirDefault) {
  PropertyBag bag;
  bag.Write("FocusRect", PropertyValue(true), PropertyValue(true));
  bag.Write("ForeColor", PropertyValue(std::int64_t{0xFF}), PropertyValue(std::int64_t{0}));
  EXPECT_FALSE(bag.Contains("FocusRect"));
  EXPECT_TRUE(bag.Contains("forecolor"));
  // Writing the default again removes what was stored.
  bag.Write("ForeColor", PropertyValue(std::int64_t{0}), PropertyValue(std::int64_t{0}));
  EXPECT_TRUE(bag.Empty());
}

TEST(PropertyBag, TypedReadsConvertOrFail) {
  PropertyBag bag;
  bag.Set("Flag", true);
  bag.Set("Number", std::int64_t{3000000000});
  bag.Set("Signed", std::int64_t{-2147483633});
  bag.Set("Text", std::string("abc"));
  EXPECT_EQ(bag.ReadInteger("Flag", 0), -1);
  EXPECT_TRUE(bag.ReadBool("Number", false));
  EXPECT_EQ(bag.ReadText("Number", ""), "3000000000");
  EXPECT_EQ(bag.ReadColor("Number", 0), 3000000000u);
  EXPECT_EQ(bag.ReadColor("Signed", 0), 0x8000000Fu);
  EXPECT_THROW(bag.ReadInt32("Number", 0), std::overflow_error);
  EXPECT_THROW(bag.ReadInt32("Text", 0), controls::PropertyTypeError);
  EXPECT_THROW(bag.ReadFont("Text", controls::FontSpec{}), controls::PropertyTypeError);
  EXPECT_EQ(bag.ReadPicture("Missing", nullptr), nullptr);
}

}  // namespace
