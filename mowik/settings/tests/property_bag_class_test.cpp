#include "mowik/settings/property_bag_class.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "mowik/settings/base64.h"
#include "mowik/settings/compress_bytes.h"
#include "testing/temp_folder.h"

namespace mowik {
namespace {

// A self-saving object with a nested one inside, as a window control would save itself.
struct Point : IPBC {
  int32_t x = 0;
  std::wstring label;
  void ReadProperties(PropertyBagClass& bag) override {
    x = AsInt32(bag.ReadProperty(L"X", int32_t{-1}));
    label = AsText(bag.ReadProperty(L"Label"));
  }
  void WriteProperties(PropertyBagClass& bag) override {
    bag.WriteProperty(L"X", x, int32_t{-1});
    bag.WriteProperty(L"Label", label);
  }
};

struct Segment : IPBC {
  Point from, to;
  void ReadProperties(PropertyBagClass& bag) override {
    bag.ReadProperty(L"From", from);
    bag.ReadProperty(L"To", to);
  }
  void WriteProperties(PropertyBagClass& bag) override {
    bag.WriteProperty(L"From", from);
    bag.WriteProperty(L"To", to);
  }
};

PropertyBagClass Filled() {
  PropertyBagClass bag;
  bag.WriteProperty(L"Liczba", int16_t{7});
  bag.WriteProperty(L"Tekst", std::wstring(L"źdźbło\tżyta"));
  bag.WriteProperty(L"Tak", true);
  return bag;
}

TEST(PropertyBagClass, DefaultsForMissingNamesAndValues) {
  PropertyBagClass bag;
  EXPECT_TRUE(IsEmpty(bag.ReadProperty(L"nic")));
  EXPECT_EQ(bag.ReadProperty(L"nic", std::wstring(L"x")), PropertyValue(std::wstring(L"x")));
  bag.WriteProperty(L"n", int32_t{5});
  EXPECT_EQ(bag.ReadProperty(L"n", int32_t{9}), PropertyValue(int32_t{5}));
  // A value equal to its default is not stored, and replaces an earlier value.
  bag.WriteProperty(L"n", int32_t{9}, int32_t{9});
  EXPECT_TRUE(IsEmpty(bag.ReadProperty(L"n")));
  EXPECT_EQ(bag.ReadProperty(L"n", int32_t{9}), PropertyValue(int32_t{9}));
}

TEST(PropertyBagClass, ObjectsSaveThemselvesAsNestedBags) {
  Segment s;
  s.from.x = 3;
  s.from.label = L"początek";
  s.to.x = -1;  // the default: not stored, read back as the default
  s.to.label = L"koniec";
  PropertyBagClass bag;
  bag.WriteProperty(L"Odcinek", s);
  EXPECT_TRUE(std::holds_alternative<NestedBag>(bag.ReadProperty(L"Odcinek")));

  PropertyBagClass back;
  back.LoadFromString(bag.SaveToString(true));
  Segment read;
  read.from.x = 100;
  EXPECT_EQ(&back.ReadProperty(L"Odcinek", read), &read);
  EXPECT_EQ(read.from.x, 3);
  EXPECT_EQ(read.from.label, L"początek");
  EXPECT_EQ(read.to.x, -1);
  EXPECT_EQ(read.to.label, L"koniec");

  // A missing name restores the object from an empty bag: every field takes its default.
  back.ReadProperty(L"brak", read);
  EXPECT_EQ(read.from.x, -1);
  EXPECT_EQ(read.from.label, L"");
}

TEST(PropertyBagClass, FilesRawAndCompressed) {
  TempFolder folder;
  const PropertyBagClass bag = Filled();
  for (const bool compress : {false, true}) {
    const std::wstring path = folder.File(compress ? L"packed.conf" : L"raw.conf");
    ASSERT_TRUE(bag.SaveToFile(path, compress));
    const std::vector<uint8_t> bytes = FileBytes(path);
    EXPECT_EQ(bytes, compress ? CompressBytes(bag.Contents()) : bag.Contents());
    EXPECT_FALSE(Exists(path + L".tmp"));
    PropertyBagClass back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.Contents(), bag.Contents());
  }
}

TEST(PropertyBagClass, OverWriteDecidesWhetherAnExistingFileIsReplaced) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(path, {1, 2, 3});
  EXPECT_FALSE(Filled().SaveToFile(path, true, false));
  EXPECT_FALSE(Filled().SaveToFile(path));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(Filled().SaveToFile(path, true, true));
  EXPECT_EQ(FileBytes(path), CompressBytes(Filled().Contents()));
}

TEST(PropertyBagClass, FilesThatCannotBeWritten) {
  TempFolder folder;
  std::filesystem::create_directories(FsPath(folder.File(L"dir")) / L"inside");
  EXPECT_FALSE(Filled().SaveToFile(folder.File(L"dir"), true, true)) << "a folder is not replaced";
  EXPECT_TRUE(Exists(folder.File(L"dir") + L"/inside"));
  EXPECT_FALSE(Filled().SaveToFile(folder.File(L"missing") + L"/s.conf", true, true));
  EXPECT_FALSE(Exists(folder.File(L"dir.tmp")));
}

TEST(PropertyBagClass, FilesThatCannotBeReadLeaveTheBagAlone) {
  TempFolder folder;
  WriteBytes(folder.File(L"empty.conf"), {});
  std::filesystem::create_directories(FsPath(folder.File(L"dir.conf")));
  PropertyBagClass bag = Filled();
  const std::vector<uint8_t> before = bag.Contents();
  EXPECT_FALSE(bag.LoadFromFile(folder.File(L"missing.conf")));
  EXPECT_FALSE(bag.LoadFromFile(folder.File(L"empty.conf")));
  EXPECT_FALSE(bag.LoadFromFile(folder.File(L"dir.conf")));
  EXPECT_FALSE(bag.LoadFromFile(L""));
  EXPECT_EQ(bag.Contents(), before);
}

TEST(PropertyBagClass, DamagedCompressedFileReadsAsAnEmptyBag) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  ASSERT_TRUE(Filled().SaveToFile(path, true));
  std::vector<uint8_t> bytes = FileBytes(path);
  bytes[13] ^= 0xFF;  // CRC field
  WriteBytes(path, bytes);
  PropertyBagClass bag = Filled();
  EXPECT_TRUE(bag.LoadFromFile(path));
  EXPECT_EQ(bag.Bag().Count(), 0u);
}

TEST(PropertyBagClass, TextFormBothWays) {
  const PropertyBagClass bag = Filled();
  for (const bool compress : {false, true}) {
    const std::wstring text = bag.SaveToString(compress);
    EXPECT_EQ(DecodeBase64(text), compress ? CompressBytes(bag.Contents()) : bag.Contents());
    PropertyBagClass back;
    back.LoadFromString(text);
    EXPECT_EQ(back.Contents(), bag.Contents());
  }
  PropertyBagClass garbage = Filled();
  garbage.LoadFromString(L"to nie jest Base64!");
  EXPECT_EQ(garbage.Bag().Count(), 0u);
  EXPECT_FALSE(PropertyBagClass::ZLibVersion().empty());
}

}  // namespace
}  // namespace mowik
