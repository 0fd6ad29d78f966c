#include "mowik/settings/property_bag.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

PropertyBag EveryKind() {
  PropertyBag bag;
  bag.Set(L"small", int16_t{-2});
  bag.Set(L"large", int32_t{-70000});
  bag.Set(L"Zażółć gęślą jaźń", std::wstring(L"ŻÓŁW\tżółw \U0001F600"));
  bag.Set(L"empty text", std::wstring());
  bag.Set(L"", true);
  bag.Set(L"off", false);
  bag.Set(L"bytes", std::vector<uint8_t>{0, 255, 7});
  bag.Set(L"nested", NestedBag{{1, 2, 3}});
  return bag;
}

TEST(PropertyBag, LayoutIsStable) {
  PropertyBag bag;
  bag.Set(L"A", int16_t{1});
  bag.Set(L"b", std::wstring(L"\u017C"));  // ż
  const std::vector<uint8_t> expected = {
      'M', 'W', 'P', 'B', 1,                                 // magic, version
      1,   1,   0,   'A', 0,   2, 0, 0, 0, 1, 0,             // 16-bit 1 under "A"
      3,   1,   0,   'b', 0,   2, 0, 0, 0, 0x7C, 0x01,       // text "ż" under "b", UTF-16 LE
      0};                                                    // end
  EXPECT_EQ(bag.Serialise(), expected);
  EXPECT_EQ(PropertyBag().Serialise(), (std::vector<uint8_t>{'M', 'W', 'P', 'B', 1, 0}));
}

TEST(PropertyBag, EveryKindSurvivesBytes) {
  const PropertyBag bag = EveryKind();
  const std::vector<uint8_t> bytes = bag.Serialise();
  PropertyBag back;
  ASSERT_TRUE(back.Parse(bytes));
  EXPECT_EQ(back.Entries(), bag.Entries());
  EXPECT_EQ(back.Serialise(), bytes);
  EXPECT_EQ(std::get<std::wstring>(back.Get(L"Zażółć gęślą jaźń")), L"ŻÓŁW\tżółw \U0001F600");
  EXPECT_TRUE(IsEmpty(back.Get(L"SMALL"))) << "names are compared exactly";
}

TEST(PropertyBag, NameWrittenTwiceKeepsPlaceAndLastValue) {
  PropertyBag bag;
  bag.Set(L"first", int16_t{1});
  bag.Set(L"second", int16_t{2});
  bag.Set(L"first", std::wstring(L"again"));
  ASSERT_EQ(bag.Count(), 2u);
  EXPECT_EQ(bag.Entries()[0].first, L"first");
  EXPECT_EQ(std::get<std::wstring>(bag.Get(L"first")), L"again");

  PropertyBag back;
  back.Parse(bag.Serialise());
  EXPECT_EQ(back.Entries(), bag.Entries());

  bag.Set(L"first", PropertyValue{});
  EXPECT_EQ(bag.Count(), 1u);
  EXPECT_EQ(std::get<int16_t>(bag.Get(L"second")), 2) << "positions after a removal still match";
}

TEST(PropertyBag, DuplicateNamesInBytesReadAsTheLastOne) {
  const std::vector<uint8_t> bytes = {'M', 'W', 'P', 'B', 1, 1, 1, 0, 'x', 0, 2, 0, 0, 0, 1, 0,
                                      1,   1,   0,   'x', 0, 2, 0, 0, 0, 9, 0, 0};
  PropertyBag bag;
  EXPECT_TRUE(bag.Parse(bytes));
  EXPECT_EQ(bag.Count(), 1u);
  EXPECT_EQ(std::get<int16_t>(bag.Get(L"x")), 9);
}

TEST(PropertyBag, EveryTruncationKeepsACompletePrefix) {
  const PropertyBag bag = EveryKind();
  const std::vector<uint8_t> bytes = bag.Serialise();
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    PropertyBag back;
    back.Set(L"stale", int16_t{1});
    const bool intact = back.Parse(std::span(bytes.data(), cut));
    EXPECT_EQ(intact, cut == 0) << cut;
    ASSERT_LE(back.Count(), bag.Count());
    for (size_t i = 0; i < back.Count(); ++i) EXPECT_EQ(back.Entries()[i], bag.Entries()[i]) << cut;
  }
}

TEST(PropertyBag, ForeignAndDamagedBytes) {
  PropertyBag bag;
  EXPECT_FALSE(bag.Parse(std::vector<uint8_t>{'M', 'W', 'P', 'B', 2, 0})) << "a later layout version";
  EXPECT_EQ(bag.Count(), 0u);
  EXPECT_FALSE(bag.Parse(std::vector<uint8_t>{0x24, 0xF7, 0x12, 0x00, 1, 0}));
  EXPECT_FALSE(bag.Parse(std::vector<uint8_t>{'<', '?', 'x', 'm', 'l', '>'}));
  EXPECT_EQ(bag.Count(), 0u);

  // An unknown tag and a payload that does not fit its tag are skipped; what follows is read.
  const std::vector<uint8_t> mixed = {'M', 'W', 'P', 'B', 1,
                                      9,   1,   0,   'u', 0, 3, 0, 0, 0, 1, 2, 3,   // tag 9
                                      1,   1,   0,   'v', 0, 3, 0, 0, 0, 1, 2, 3,   // 16-bit of 3 bytes
                                      3,   1,   0,   'w', 0, 1, 0, 0, 0, 'a',       // odd text
                                      2,   1,   0,   'z', 0, 4, 0, 0, 0, 7, 0, 0, 0, 0};
  EXPECT_FALSE(bag.Parse(mixed));
  ASSERT_EQ(bag.Count(), 1u);
  EXPECT_EQ(std::get<int32_t>(bag.Get(L"z")), 7);

  // Lengths that claim more than there is: nothing allocated for them, reading stops.
  const std::vector<uint8_t> huge = {'M', 'W', 'P', 'B', 1, 5, 0xFF, 0xFF, 'n', 0};
  EXPECT_FALSE(bag.Parse(huge));
  const std::vector<uint8_t> hugePayload = {'M', 'W', 'P', 'B', 1, 5, 1, 0, 'n', 0, 0xFF, 0xFF, 0xFF, 0xFF, 1};
  EXPECT_FALSE(bag.Parse(hugePayload));
  EXPECT_EQ(bag.Count(), 0u);
}

TEST(PropertyBag, LoneSurrogatesAndSupplementaryCharactersKeepTheirUnits) {
  // A lone high surrogate followed by a pair: the units come back as stored.
  const std::vector<uint8_t> bytes = {'M', 'W', 'P', 'B', 1, 3, 1, 0, 't', 0, 6, 0, 0, 0,
                                      0x00, 0xD8, 0x3D, 0xD8, 0x00, 0xDE, 0};
  PropertyBag bag;
  ASSERT_TRUE(bag.Parse(bytes));
  EXPECT_EQ(bag.Serialise(), bytes);
}

}  // namespace
}  // namespace mowik
