// The voice profiles' handlers over a table and plain controls: what the live parameters,
// the rows and the voice list hold after each thing a user does.
#include "mowik/shell/voice_profiles.h"

#include <gtest/gtest.h>

#include "mowik/program/main_module.h"
#include "mowik/shell/tests/fake_views.h"

namespace mowik::test {
namespace {

class VoiceProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseGlobals();
    PitchRatio = 0;
    DurationRatio = 0;
    VoiceFreq = 0;
    CurrentVoice = 0;
    for (const wchar_t* header : {L"Nazwa", L"Pitch", L"Duration", L"Frequency"}) table.AddColumn(header);
    AddProfile(L"<domy\u015blny g\u0142os>", L"100", L"10", L"16000");
    AddProfile(L"Wysoki", L"250", L"18", L"22050");
    AddProfile(L"Niski", L"50", L"5", L"11025");
    for (int32_t row = 1; row <= table.Rows(); ++row) view.AddVoiceListEntry(table.CellText(row, 1));
  }
  void AddProfile(const wchar_t* name, const wchar_t* pitch, const wchar_t* duration, const wchar_t* frequency) {
    const int32_t row = table.AddRow();
    table.SetCellText(row, 1, name);
    table.SetCellText(row, 2, pitch);
    table.SetCellText(row, 3, duration);
    table.SetCellText(row, 4, frequency);
  }
  std::vector<std::wstring> Row(int32_t row) const {
    return {table.CellText(row, 1), table.CellText(row, 2), table.CellText(row, 3), table.CellText(row, 4)};
  }

  TableModel table;
  FakeVoicesView view;
  RecordingSpeaker speaker;
  VoiceProfiles profiles{table, view, speaker};
};

TEST_F(VoiceProfilesTest, ChoosingAProfileSetsTheLiveParameters) {
  profiles.SelectVoice(0);
  EXPECT_FLOAT_EQ(PitchRatio, 1.0f);
  EXPECT_FLOAT_EQ(DurationRatio, 1.0f);
  EXPECT_EQ(VoiceFreq, 16000);
  profiles.SelectVoice(1);
  EXPECT_FLOAT_EQ(PitchRatio, 2.5f);
  EXPECT_FLOAT_EQ(DurationRatio, 1.8f);
  EXPECT_EQ(VoiceFreq, 22050);
  EXPECT_EQ(CurrentVoice, 1);
}

TEST_F(VoiceProfilesTest, ChosenCellsBeyondTheSlidersAreKeptButOnesThePlayerRefusesReadAsNormal) {
  table.SetCellText(2, 2, L"500");  // only a hand-edited file holds these
  table.SetCellText(2, 3, L"abc");
  profiles.SelectVoice(1);
  EXPECT_FLOAT_EQ(PitchRatio, 5.0f);
  EXPECT_FLOAT_EQ(DurationRatio, 1.0f) << "not 0, which the player refuses at every utterance";
  EXPECT_EQ(VoiceFreq, 22050);
}

TEST_F(VoiceProfilesTest, SelectingTheSameEntryAgainRunsNoHandler) {
  profiles.SelectVoice(1);
  PitchRatio = 7;
  profiles.SelectVoice(1);
  EXPECT_FLOAT_EQ(PitchRatio, 7.0f);
}

TEST_F(VoiceProfilesTest, AnEntryWithoutARowOrNoEntryLeavesTheParameters) {
  profiles.SelectVoice(0);
  table.RemoveRow(3);  // the list still shows "Niski"
  profiles.SelectVoice(2);
  EXPECT_EQ(VoiceFreq, 16000);
  EXPECT_EQ(CurrentVoice, 0);
  view.listSelection = -1;
  profiles.VoiceChosen();
  EXPECT_EQ(VoiceFreq, 16000);
}

TEST_F(VoiceProfilesTest, ShowingRowsOneAfterAnotherChangesNoRow) {
  table.SetCellText(3, 4, L"11025.4 Hz");  // a value only a hand-edited file holds
  table.SetCellText(2, 2, L"999");         // outside the slider's range
  const auto before2 = Row(2), before3 = Row(3), before1 = Row(1);
  for (int32_t row : {2, 3, 1, 3, 2}) profiles.SelectTableRow(row);
  EXPECT_EQ(Row(1), before1);
  EXPECT_EQ(Row(2), before2);
  EXPECT_EQ(Row(3), before3);
  EXPECT_EQ(view.name, L"Wysoki");
  EXPECT_EQ(view.sliders[0], 400);  // held within the slider's range
  EXPECT_EQ(view.sliders[1], 18);
  EXPECT_EQ(view.sliders[2], 22050);
}

TEST_F(VoiceProfilesTest, MovingASliderEditsTheSelectedRowAndTheLiveParameters) {
  profiles.SelectVoice(0);
  profiles.SelectTableRow(3);
  profiles.SetSlider(0, 300);
  EXPECT_EQ(Row(3), (std::vector<std::wstring>{L"Niski", L"300", L"5", L"11025"}));
  EXPECT_FLOAT_EQ(PitchRatio, 3.0f);
  EXPECT_FLOAT_EQ(DurationRatio, 0.5f);
  EXPECT_EQ(VoiceFreq, 11025);
  EXPECT_EQ(CurrentVoice, 0);  // the chosen profile stays chosen
}

TEST_F(VoiceProfilesTest, ASliderWithNoRowSelectedOnlyChangesTheLiveParameters) {
  const auto before = Row(1);
  profiles.SetSlider(2, 20000);
  EXPECT_EQ(VoiceFreq, 20000);
  EXPECT_EQ(Row(1), before);
  EXPECT_EQ(table.Rows(), 3);
}

TEST_F(VoiceProfilesTest, NewAddsASelectedDefaultRowAndKeepsTheProfileInUse) {
  profiles.SelectVoice(1);
  profiles.NewProfile();
  ASSERT_EQ(table.Rows(), 4);
  EXPECT_EQ(Row(4), (std::vector<std::wstring>{L"Nowy g\u0142os", L"100", L"10", L"16000"}));
  EXPECT_EQ(table.SelectedRow(), 4);
  EXPECT_EQ(view.name, L"Nowy g\u0142os");
  EXPECT_EQ(view.sliders[0], 100);
  EXPECT_TRUE(view.nameFocused);
  EXPECT_TRUE(view.saveEnabled);
  EXPECT_EQ(view.list.back(), L"Nowy g\u0142os");
  EXPECT_EQ(view.list.size(), 4u);
  EXPECT_EQ(view.listSelection, 1);
  EXPECT_FLOAT_EQ(PitchRatio, 2.5f);  // applied again from the chosen row
  EXPECT_EQ(VoiceFreq, 22050);
}

TEST_F(VoiceProfilesTest, StoringWritesNameAndSlidersAndRebuildsTheList) {
  profiles.SelectVoice(0);
  profiles.NewProfile();
  view.name = L"M\u00f3j g\u0142os";
  profiles.NameChanged();
  profiles.SetSlider(1, 14);
  profiles.StoreEdits();
  EXPECT_EQ(Row(4), (std::vector<std::wstring>{L"M\u00f3j g\u0142os", L"100", L"14", L"16000"}));
  EXPECT_EQ(view.list[3], L"M\u00f3j g\u0142os");
  EXPECT_EQ(view.listSelection, 0);
}

TEST_F(VoiceProfilesTest, StoringWithNoRowSelectedDoesNothing) {
  view.name = L"x";
  profiles.StoreEdits();
  EXPECT_EQ(Row(1)[0], L"<domy\u015blny g\u0142os>");
  EXPECT_EQ(view.list.size(), 3u);
}

TEST_F(VoiceProfilesTest, AnEmptyNameDisablesStoring) {
  view.name = L"";
  profiles.NameChanged();
  EXPECT_FALSE(view.saveEnabled);
  view.name = L"a";
  profiles.NameChanged();
  EXPECT_TRUE(view.saveEnabled);
}

TEST_F(VoiceProfilesTest, DeleteNeverRemovesRowOneNorActsWithoutASelection) {
  profiles.TableKeyDown(46);
  EXPECT_EQ(table.Rows(), 3);
  profiles.SelectTableRow(1);
  profiles.TableKeyDown(46);
  EXPECT_EQ(table.Rows(), 3);
  profiles.SelectTableRow(2);
  profiles.TableKeyDown(45);  // Insert: not Delete
  EXPECT_EQ(table.Rows(), 3);
}

TEST_F(VoiceProfilesTest, DeleteSelectsTheFollowingRowAndLeavesTheListAlone) {
  profiles.SelectTableRow(2);
  profiles.TableKeyDown(46);
  ASSERT_EQ(table.Rows(), 2);
  EXPECT_EQ(table.SelectedRow(), 2);
  EXPECT_EQ(view.name, L"Niski");
  EXPECT_EQ(Row(2)[1], L"50");
  EXPECT_EQ(view.list.size(), 3u);  // rebuilt only by "Nowy", "Zapisz" and the settings load
  profiles.TableKeyDown(46);        // the last row: the new last row is selected
  EXPECT_EQ(table.Rows(), 1);
  EXPECT_EQ(table.SelectedRow(), 1);
  profiles.TableKeyDown(46);
  EXPECT_EQ(table.Rows(), 1);
}

TEST_F(VoiceProfilesTest, ChosenProfileRemovedThenListRebuiltSelectsTheDefault) {
  profiles.SelectVoice(2);
  profiles.SelectTableRow(3);
  profiles.TableKeyDown(46);
  profiles.SelectTableRow(2);
  profiles.StoreEdits();  // rebuilds the list, which no longer has entry 2
  EXPECT_EQ(view.list.size(), 2u);
  EXPECT_EQ(view.listSelection, 0);
  EXPECT_EQ(VoiceFreq, 16000);
}

TEST_F(VoiceProfilesTest, TestSpeaksOneOfTheTestSentences) {
  profiles.Test();
  ASSERT_EQ(speaker.spoken.size(), 1u);
  EXPECT_NE(std::find(TestSentences.begin(), TestSentences.end(), speaker.spoken[0]), TestSentences.end());
}

}  // namespace
}  // namespace mowik::test
