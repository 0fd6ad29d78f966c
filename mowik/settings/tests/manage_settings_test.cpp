#include "mowik/settings/manage_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

#include "mowik/platform/file_store.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/compress_bytes.h"
#include "mowik/settings/property_bag_class.h"
#include "testing/closed_folder.h"
#include "testing/temp_folder.h"

namespace mowik {
namespace {

// Records what the window's controls were given, in order.
class RecordingView : public SettingsView {
 public:
  void ClearVoiceList() override { calls.push_back(L"clear"), list.clear(); }
  void AddVoiceListEntry(const std::wstring& name) override { list.push_back(name); }
  void ShowSpeakSelected(int16_t s) override { calls.push_back(L"selected=" + std::to_wstring(s)); }
  void ShowSpeakNow(int16_t s) override { calls.push_back(L"now=" + std::to_wstring(s)); }
  void ShowSpellCapital(int16_t s) override { calls.push_back(L"capital=" + std::to_wstring(s)); }
  void ShowSpeakNowInterval(const std::wstring& m) override { calls.push_back(L"delay=" + m); }
  void SelectVoice(int32_t i) override { calls.push_back(L"voice=" + std::to_wstring(i)); }
  std::vector<std::wstring> calls;
  std::vector<std::wstring> list;
};

const std::wstring kDefaultName = L"<domyślny głos>";

class ManageSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VoicesTable().Clear();
    DictionaryTable().Clear();
    SpellCapital = -1;  // as Main leaves it
    CurrentVoice = SpeakSelected = SpeakNow = 0;
    SpeakNowInterval.clear();
    HotPlay = HotPause = HotStop = HotNow = 0;
  }
  void TearDown() override { SetUp(); }

  std::wstring Path() const { return SettingsPath(place); }
  PropertyBagClass Stored() const {
    PropertyBagClass bag;
    EXPECT_TRUE(bag.LoadFromFile(Path()));
    return bag;
  }
  static void AddVoice(const std::wstring& name, const std::wstring& pitch, const std::wstring& duration,
                       const std::wstring& frequency) {
    const int32_t row = VoicesTable().AddRow();
    VoicesTable().SetCellText(row, 1, name);
    VoicesTable().SetCellText(row, 2, pitch);
    VoicesTable().SetCellText(row, 3, duration);
    VoicesTable().SetCellText(row, 4, frequency);
  }
  static void AddEntry(const std::wstring& from, const std::wstring& to) {
    const int32_t row = DictionaryTable().AddRow();
    DictionaryTable().SetCellText(row, 1, from);
    DictionaryTable().SetCellText(row, 2, to);
  }
  static std::vector<std::wstring> Row(const TableModel& table, int32_t row) {
    std::vector<std::wstring> cells;
    for (int32_t col = 1; col <= table.Cols(); ++col) cells.push_back(table.CellText(row, col));
    return cells;
  }

  TempFolder folder;
  FixedFolder place{folder.Path()};
  RecordingView view;
};

TEST_F(ManageSettingsTest, FirstRunWritesAndLoadsTheDefaults) {
  EXPECT_EQ(Path(), folder.File(L"mowiksets.conf"));
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kCreated);
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead);
  view = RecordingView();
  LoadSettings(place, view);

  ASSERT_TRUE(Exists(Path()));
  const std::vector<uint8_t> bytes = FileBytes(Path());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{0x24, 0xF7, 0x12, 0x00}))
      << "written compressed";

  // Keys, order and stored types.
  const PropertyBagClass stored = Stored();
  std::vector<std::wstring> keys;
  for (const auto& [name, value] : stored.Bag().Entries()) keys.push_back(name);
  EXPECT_EQ(keys, (std::vector<std::wstring>{L"SpellCapital", L"CurrentVoice", L"SpeakSelected", L"SpeakNow",
                                             L"SpeakNowInterval", L"HotPlay", L"HotPause", L"HotStop", L"HotNow",
                                             L"VoiceCount", L"VoiceName1", L"VoicePitch1", L"VoiceDuration1",
                                             L"VoiceFrequency1", L"DictCount", L"HotPlayStops"}));
  EXPECT_EQ(stored.ReadProperty(L"SpellCapital"), PropertyValue(int16_t{1}));
  EXPECT_EQ(stored.ReadProperty(L"SpeakNowInterval"), PropertyValue(std::wstring(L"15")));
  EXPECT_EQ(stored.ReadProperty(L"HotNow"), PropertyValue(int32_t{0}));
  EXPECT_EQ(stored.ReadProperty(L"VoiceCount"), PropertyValue(int16_t{1}));
  EXPECT_EQ(stored.ReadProperty(L"VoiceName1"), PropertyValue(kDefaultName));
  EXPECT_EQ(stored.ReadProperty(L"DictCount"), PropertyValue(int32_t{0}));

  EXPECT_EQ(SpellCapital, 1);
  EXPECT_EQ(SpeakNowInterval, L"15");
  ASSERT_EQ(VoicesTable().Rows(), 1);
  EXPECT_EQ(Row(VoicesTable(), 1), (std::vector<std::wstring>{kDefaultName, L"100", L"10", L"16000"}));
  EXPECT_EQ(DictionaryTable().Rows(), 0);
  EXPECT_EQ(view.list, std::vector<std::wstring>{kDefaultName});
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"clear", L"selected=0", L"now=0", L"capital=1", L"delay=15",
                                                   L"voice=0"}));
}

TEST_F(ManageSettingsTest, VoiceCountFollowsTheTable) {
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  SaveSettings(place);
  EXPECT_EQ(Stored().ReadProperty(L"VoiceCount"), PropertyValue(int16_t{1}));
  for (int i = 2; i <= 5; ++i) AddVoice(L"głos " + std::to_wstring(i), L"150", L"12", L"22050");
  SaveSettings(place);
  EXPECT_EQ(Stored().ReadProperty(L"VoiceCount"), PropertyValue(int32_t{5}));
  EXPECT_EQ(Stored().ReadProperty(L"VoiceName5"), PropertyValue(std::wstring(L"głos 5")));
}

TEST_F(ManageSettingsTest, EditedFirstProfileWinsOverTheDefault) {
  AddVoice(L"mój", L"250", L"18", L"11025");
  SaveSettings(place);
  LoadSettings(place, view);
  EXPECT_EQ(Row(VoicesTable(), 1), (std::vector<std::wstring>{L"mój", L"250", L"18", L"11025"}));
}

TEST_F(ManageSettingsTest, SaveLoadSaveGivesTheSameBytesAndValues) {
  SpellCapital = 0;
  CurrentVoice = 2;
  SpeakSelected = 1;
  SpeakNow = 1;
  SpeakNowInterval = L"5";
  HotPlay = 0x70003;
  HotPause = -1;
  HotStop = 123456789;
  HotNow = 7;
  HotPlayStops = 1;
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  AddVoice(L"Żaneta", L"15", L"3", L"30000");
  AddVoice(L"", L"400", L"18", L"10000");
  AddEntry(L"np.", L"na przykład");
  AddEntry(L"tab\there", L"");
  for (int i = 0; i < 10000; ++i) AddEntry(L"słowo" + std::to_wstring(i), L"zamiana ąęł " + std::to_wstring(i));
  const TableModel voicesBefore = VoicesTable();
  const TableModel dictBefore = DictionaryTable();

  SaveSettings(place);
  const std::vector<uint8_t> first = FileBytes(Path());
  const PropertyBagClass stored = Stored();
  EXPECT_EQ(stored.ReadProperty(L"DictCount"), PropertyValue(int32_t{10002}));
  EXPECT_EQ(stored.ReadProperty(L"DictFrom2"), PropertyValue(std::wstring(L"tab\there")));
  EXPECT_EQ(stored.ReadProperty(L"DictTo2"), PropertyValue(std::wstring()));
  SpellCapital = 9;
  VoicesTable().Clear();
  DictionaryTable().Clear();
  LoadSettings(place, view);
  SaveSettings(place);
  EXPECT_EQ(FileBytes(Path()), first);

  EXPECT_EQ(SpellCapital, 0);
  EXPECT_EQ(CurrentVoice, 2);
  EXPECT_EQ(SpeakSelected, 1);
  EXPECT_EQ(SpeakNow, 1);
  EXPECT_EQ(SpeakNowInterval, L"5");
  EXPECT_EQ(HotPlay, 0x70003);
  EXPECT_EQ(HotPause, -1);
  EXPECT_EQ(HotStop, 123456789);
  EXPECT_EQ(HotNow, 7);
  EXPECT_EQ(HotPlayStops, 1);
  ASSERT_EQ(VoicesTable().Rows(), voicesBefore.Rows());
  for (int32_t r = 1; r <= voicesBefore.Rows(); ++r) EXPECT_EQ(Row(VoicesTable(), r), Row(voicesBefore, r));
  ASSERT_EQ(DictionaryTable().Rows(), dictBefore.Rows());
  for (int32_t r = 1; r <= dictBefore.Rows(); ++r) ASSERT_EQ(Row(DictionaryTable(), r), Row(dictBefore, r)) << r;
  EXPECT_EQ(view.list, (std::vector<std::wstring>{kDefaultName, L"Żaneta", L""}));
  EXPECT_EQ(view.calls.back(), L"voice=2");
}

TEST_F(ManageSettingsTest, AFileFromBeforeTheStopOptionReadsItAsOff) {
  SaveSettings(place);
  const PropertyBagClass current = Stored();
  PropertyBagClass older;
  for (const auto& [name, value] : current.Bag().Entries())
    if (name != L"HotPlayStops") older.WriteProperty(name, value);
  ASSERT_TRUE(older.SaveToFile(Path(), true, true));
  HotPlayStops = 1;
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead);
  EXPECT_EQ(HotPlayStops, 0);
}

TEST_F(ManageSettingsTest, EmptyFileIsReplacedByTheDefaults) {
  WriteBytes(Path(), {});
  LoadSettings(place, view);
  EXPECT_EQ(SpellCapital, 1);
  EXPECT_EQ(SpeakNowInterval, L"15");
  EXPECT_EQ(VoicesTable().Rows(), 1);
  EXPECT_FALSE(FileBytes(Path()).empty());
}

// The first-run values, as LoadSettings puts them in effect when the file gives none.
void ExpectDefaultsInEffect(const RecordingView& view) {
  EXPECT_EQ(SpellCapital, 1);
  EXPECT_EQ(SpeakNowInterval, L"15");
  ASSERT_GE(VoicesTable().Rows(), 1);
  EXPECT_EQ(VoicesTable().CellText(1, 1), kDefaultName);
  EXPECT_EQ(VoicesTable().CellText(1, 4), L"16000");
  EXPECT_EQ(view.calls.back(), L"voice=0");
}

TEST_F(ManageSettingsTest, DamagedFileIsKeptAsBadBeforeTheDefaultsReplaceIt) {
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  AddEntry(L"pkp", L"pe ka pe");
  SaveSettings(place);
  std::vector<uint8_t> bytes = FileBytes(Path());
  bytes[12] ^= 1;  // CRC: nothing in it can be trusted
  WriteBytes(Path(), bytes);
  VoicesTable().Clear();
  DictionaryTable().Clear();

  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kDamaged);
  EXPECT_EQ(DamagedSettingsPath(place), Path() + L".bad");
  EXPECT_EQ(FileBytes(DamagedSettingsPath(place)), bytes) << "the damaged file, byte for byte";
  ExpectDefaultsInEffect(view);
  EXPECT_EQ(DictionaryTable().Rows(), 0);
  PropertyBagClass stored;
  std::vector<uint8_t> read;
  EXPECT_EQ(stored.LoadFromFile(Path(), read), PropertyBagClass::FileLoad::kRead) << "replaced by a sound file";
  EXPECT_EQ(stored.ReadProperty(L"SpellCapital"), PropertyValue(int16_t{1}));
}

TEST_F(ManageSettingsTest, DamagedFileKeepsWhatItStillHolds) {
  SpeakNowInterval = L"30";
  SpellCapital = 0;
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  AddEntry(L"pkp", L"pe ka pe");
  PropertyBagClass bag;
  bag.WriteProperty(L"SpellCapital", int16_t{0});
  bag.WriteProperty(L"SpeakNowInterval", std::wstring(L"30"));
  bag.WriteProperty(L"DictCount", int32_t{1});
  bag.WriteProperty(L"DictFrom1", std::wstring(L"pkp"));
  bag.WriteProperty(L"DictTo1", std::wstring(L"pe ka pe"));
  std::vector<uint8_t> bytes = bag.Contents();
  bytes.resize(bytes.size() - 4);  // cut inside the last entry
  WriteBytes(Path(), bytes);
  VoicesTable().Clear();
  DictionaryTable().Clear();

  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kDamaged);
  EXPECT_EQ(FileBytes(DamagedSettingsPath(place)), bytes);
  EXPECT_EQ(SpellCapital, 0) << "read from the file";
  EXPECT_EQ(SpeakNowInterval, L"30");
  ASSERT_EQ(DictionaryTable().Rows(), 1);
  EXPECT_EQ(Row(DictionaryTable(), 1), (std::vector<std::wstring>{L"pkp", L""})) << "its replacement was cut off";
  ASSERT_EQ(VoicesTable().Rows(), 1) << "the default profile stands in for the missing ones";
  EXPECT_EQ(VoicesTable().CellText(1, 1), kDefaultName);
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead) << "the file is whole again";
  EXPECT_EQ(SpeakNowInterval, L"30");
}

TEST_F(ManageSettingsTest, DamagedFileStaysWhenNoCopyCanBeKept) {
  const std::vector<uint8_t> bytes = {'M', 'W', 'P', 'B', 9, 0};  // a layout of a later version
  WriteBytes(Path(), bytes);
  std::filesystem::create_directories(FsPath(DamagedSettingsPath(place)) / L"x");
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kDamagedNotStored);
  EXPECT_EQ(FileBytes(Path()), bytes);
  ExpectDefaultsInEffect(view);
}

TEST_F(ManageSettingsTest, UnwritableFolderRunsOnTheDefaults) {
  FixedFolder nowhere(folder.File(L"no such folder"));
  AddEntry(L"x", L"y");
  EXPECT_EQ(LoadSettings(nowhere, view), SettingsLoad::kDefaultsInMemory);
  ExpectDefaultsInEffect(view);
  ASSERT_EQ(VoicesTable().Rows(), 1);
  EXPECT_EQ(Row(VoicesTable(), 1), (std::vector<std::wstring>{kDefaultName, L"100", L"10", L"16000"}));
  EXPECT_EQ(view.list, std::vector<std::wstring>{kDefaultName});
  ASSERT_EQ(DictionaryTable().Rows(), 1) << "as a first run keeps what the tables hold";
  EXPECT_EQ(DictionaryTable().CellText(1, 2), L"y");
}

TEST_F(ManageSettingsTest, FileThatCannotBeReadIsNeverOverwritten) {
  // Larger than any settings: not read at all, so no hostile file costs its size many times
  // over in memory; and not replaced either.
  const std::vector<uint8_t> big(10u << 20, 'x');
  WriteBytes(Path(), big);
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kNotRead);
  ExpectDefaultsInEffect(view);
  EXPECT_EQ(FileBytes(Path()), big);
  EXPECT_FALSE(Exists(DamagedSettingsPath(place)));

#ifdef _WIN32
  // Held open by another program (a backup, a virus scanner) that shares nothing.
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  for (int i = 0; i < 100; ++i) AddEntry(L"skrót" + std::to_wstring(i), L"zamiennik");
  ASSERT_TRUE(SaveSettings(place));
  const std::vector<uint8_t> saved = FileBytes(Path());
  DictionaryTable().Clear();
  int locked = -1;
  ASSERT_EQ(_wsopen_s(&locked, Path().c_str(), _O_RDONLY, _SH_DENYRW, 0), 0);
  view = RecordingView();
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kNotRead);
  _close(locked);
  ExpectDefaultsInEffect(view);
  EXPECT_EQ(FileBytes(Path()), saved) << "the 100 rows are still there";
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead);
  EXPECT_EQ(DictionaryTable().Rows(), 100);
#endif
}

TEST_F(ManageSettingsTest, ReadOnlyLeftoverTemporaryFileDoesNotBlockSaving) {
  SaveSettings(place);
  WriteBytes(TemporaryPathFor(Path()), {1, 2, 3});
  // On Windows this is the read-only attribute, which stops DeleteFile.
  std::filesystem::permissions(FsPath(TemporaryPathFor(Path())), std::filesystem::perms::owner_read);
  SpeakNowInterval = L"45";
  EXPECT_TRUE(SaveSettings(place));
  EXPECT_FALSE(Exists(TemporaryPathFor(Path())));
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead);
  EXPECT_EQ(SpeakNowInterval, L"45");
}

#ifndef _WIN32
// A per-machine install: the folder takes no new file, the settings file is the user's.
TEST_F(ManageSettingsTest, SettingsInAFolderThatTakesNoNewFileAreStillSaved) {
  ASSERT_TRUE(SaveSettings(place));
  ClosedFolder closed(NarrowPath(folder.Path()));
  if (!closed.Available()) GTEST_SKIP() << "no way here to close a folder to new files";
  for (int i = 0; i < 50; ++i) AddEntry(L"skr\u00f3t" + std::to_wstring(i), L"zamiennik");
  SpeakNowInterval = L"45";
  EXPECT_TRUE(SaveSettings(place));
  DictionaryTable().Clear();
  SpeakNowInterval = L"";
  EXPECT_EQ(LoadSettings(place, view), SettingsLoad::kRead);
  EXPECT_EQ(DictionaryTable().Rows(), 50);
  EXPECT_EQ(SpeakNowInterval, L"45");
}
#endif

TEST_F(ManageSettingsTest, SaveSaysWhetherTheFileWasWritten) {
  EXPECT_TRUE(SaveSettings(place));
  EXPECT_FALSE(SaveSettings(FixedFolder(folder.File(L"no such folder"))));
}

TEST_F(ManageSettingsTest, HostileCountsAndIndexesAreBounded) {
  PropertyBagClass bag;
  bag.WriteProperty(L"CurrentVoice", int16_t{-3});
  bag.WriteProperty(L"VoiceCount", int32_t{2000000000});
  bag.WriteProperty(L"VoiceName1", std::wstring(L"jedyny"));
  bag.WriteProperty(L"DictCount", int32_t{-5});
  bag.WriteProperty(L"SpeakNow", std::wstring(L"1"));
  bag.WriteProperty(L"SpellCapital", int32_t{100000});
  for (int i = 0; i < 70000; ++i) bag.WriteProperty(L"x" + std::to_wstring(i), true);  // keys of no row
  ASSERT_TRUE(bag.SaveToFile(Path(), true));
  LoadSettings(place, view);
  EXPECT_EQ(VoicesTable().Rows(), 65535) << "a damaged count adds no more than a bounded number of rows";
  EXPECT_EQ(VoicesTable().CellText(1, 1), L"jedyny");
  EXPECT_EQ(DictionaryTable().Rows(), 0);

  // Beyond that bound, no more rows than the file has row keys; a key claiming a far row
  // does not lift the bound.
  bag.WriteProperty(L"DictCount", int32_t{2000000000});
  for (int n = 1; n <= 70000; ++n) bag.WriteProperty(L"DictTo" + std::to_wstring(n), std::to_wstring(n));
  bag.WriteProperty(L"VoiceName1999999999", std::wstring(L"daleko"));
  ASSERT_TRUE(bag.SaveToFile(Path(), true, true));
  LoadSettings(place, view);
  EXPECT_EQ(VoicesTable().Rows(), 65535);
  ASSERT_EQ(DictionaryTable().Rows(), 70000);
  EXPECT_EQ(DictionaryTable().CellText(70000, 2), L"70000");
  EXPECT_EQ(SpeakNow, 1) << "a number stored as text still reads";
  EXPECT_EQ(SpellCapital, 0) << "out of the 16-bit range reads as missing";
  EXPECT_EQ(view.calls.back(), L"voice=0") << "an index outside the list falls back to the first profile";
}

TEST_F(ManageSettingsTest, RowsWithoutKeysLoadEmpty) {
  PropertyBagClass bag;
  bag.WriteProperty(L"CurrentVoice", int16_t{3});
  bag.WriteProperty(L"VoiceCount", int32_t{3});
  bag.WriteProperty(L"VoicePitch2", std::wstring(L"150"));
  bag.WriteProperty(L"DictCount", int32_t{7});
  ASSERT_TRUE(bag.SaveToFile(Path(), true));
  LoadSettings(place, view);
  ASSERT_EQ(VoicesTable().Rows(), 3);
  EXPECT_EQ(Row(VoicesTable(), 2), (std::vector<std::wstring>{L"", L"150", L"", L""}));
  EXPECT_EQ(view.list, (std::vector<std::wstring>{L"", L"", L""}));
  ASSERT_EQ(DictionaryTable().Rows(), 7) << "more rows than the file has keys";
  EXPECT_EQ(Row(DictionaryTable(), 7), (std::vector<std::wstring>{L"", L""}));
  EXPECT_EQ(SpeakNowInterval, L"");
  EXPECT_EQ(view.calls.back(), L"voice=0") << "one beyond the last profile";
}

TEST_F(ManageSettingsTest, CrashBeforeTheReplacementKeepsTheOldSettings) {
  SpeakNowInterval = L"30";
  AddVoice(kDefaultName, L"100", L"10", L"16000");
  AddVoice(L"stary", L"120", L"11", L"16000");
  SaveSettings(place);
  const std::vector<uint8_t> old = FileBytes(Path());

  // The next save got as far as a half-written temporary file, then the program died.
  WriteTemporaryFile(Path(), std::vector<uint8_t>(old.begin(), old.begin() + old.size() / 2));

  VoicesTable().Clear();
  SpeakNowInterval = L"x";
  LoadSettings(place, view);
  EXPECT_EQ(SpeakNowInterval, L"30");
  ASSERT_EQ(VoicesTable().Rows(), 2);
  EXPECT_EQ(VoicesTable().CellText(2, 1), L"stary");
  EXPECT_EQ(FileBytes(Path()), old);

  SaveSettings(place);  // the leftover does not stand in the way of the next save
  EXPECT_EQ(FileBytes(Path()), old);
  EXPECT_FALSE(Exists(TemporaryPathFor(Path())));
}

TEST_F(ManageSettingsTest, NaturalReadingIsStoredOnceItIsUsed) {
  LoadSettings(place, view);
  EXPECT_EQ(NaturalReading, 0);
  EXPECT_TRUE(IsEmpty(Stored().ReadProperty(L"NaturalReading"))) << "a file of the design's reading as it was";
  NaturalReading = 1;
  SaveSettings(place);
  EXPECT_EQ(Stored().ReadProperty(L"NaturalReading"), PropertyValue(int16_t{1}));
  NaturalReading = 0;
  LoadSettings(place, view);
  EXPECT_EQ(NaturalReading, 1);
  NaturalReading = 0;  // turned off after a file that held it: stored as 0
  SaveSettings(place);
  EXPECT_EQ(Stored().ReadProperty(L"NaturalReading"), PropertyValue(int16_t{0}));
  LoadSettings(place, view);
  EXPECT_EQ(NaturalReading, 0);
}

}  // namespace
}  // namespace mowik
