// The dictionary editor's handlers: entry fields, removal, and the in-place editor's
// protocol of opening with the typed character, committing and abandoning.
#include "mowik/shell/dictionary_editor.h"

#include <gtest/gtest.h>

#include "mowik/shell/tests/fake_views.h"

namespace mowik::test {
namespace {

class DictionaryEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.AddColumn(L"Zamie\u0144 z");
    table.AddColumn(L"Zamie\u0144 na");
  }
  void Type(int field, const std::wstring& text) {
    view.fields[field] = text;
    editor.FieldChanged(field);
  }
  void Add(const std::wstring& find, const std::wstring& replace) {
    Type(0, find);
    Type(1, replace);
    editor.FieldKeyDown(1, kKeyEnter, 0);
  }

  TableModel table;
  FakeDictionaryView view;
  RecordingSpeaker speaker;
  DictionaryEditor editor{table, view, speaker};
};

TEST(EditorStart, TypedCharacterGoesInFrontWithTheOldTextSelected) {
  const EditorStart typed = EditorStartFor(L"abc", L'x');
  EXPECT_EQ(typed.text, L"xabc");
  EXPECT_EQ(typed.selectionStart, 1);
  EXPECT_EQ(typed.selectionLength, 3);
  for (int32_t none : {0, 27}) {
    const EditorStart plain = EditorStartFor(L"abc", none);
    EXPECT_EQ(plain.text, L"abc");
    EXPECT_EQ(plain.selectionStart, 0);
    EXPECT_EQ(plain.selectionLength, 3);
  }
  EXPECT_EQ(EditorStartFor(L"", L'\u0105').text, L"\u0105");
}

TEST_F(DictionaryEditorTest, EnterEnterAddsAnEntryAndReturnsToTheFirstField) {
  Type(0, L"np.");
  EXPECT_TRUE(view.addEnabled);
  editor.FieldKeyDown(0, kKeyEnter, 0);
  EXPECT_EQ(view.focusedField, 1);
  Type(1, L"na przyk\u0142ad");
  editor.FieldKeyDown(1, kKeyEnter, 0);
  ASSERT_EQ(table.Rows(), 1);
  EXPECT_EQ(table.CellText(1, 1), L"np.");
  EXPECT_EQ(table.CellText(1, 2), L"na przyk\u0142ad");
  EXPECT_EQ(view.fields[0], L"");
  EXPECT_EQ(view.fields[1], L"");
  EXPECT_FALSE(view.addEnabled);
  EXPECT_EQ(view.focusedField, 0);
  EXPECT_EQ(editor.TestText(), L"");
}

TEST_F(DictionaryEditorTest, WithNoTextToFindNothingIsAddedButCtrlEnterStillSpeaks) {
  Type(1, L"tekst");
  EXPECT_FALSE(view.addEnabled);
  editor.FieldKeyDown(0, kKeyEnter, 0);
  EXPECT_EQ(view.focusedField, -1);
  editor.FieldKeyDown(1, kKeyEnter, 0);
  editor.AddEntry();  // a click that reaches a disabled button
  EXPECT_EQ(table.Rows(), 0);
  editor.FieldKeyDown(1, kKeyEnter, kModifierCtrl);
  EXPECT_EQ(speaker.spoken, std::vector<std::wstring>{L"tekst"});
  EXPECT_FALSE(DictionaryEditor::FieldTakesChar(13));
  EXPECT_TRUE(DictionaryEditor::FieldTakesChar(L'a'));
}

TEST_F(DictionaryEditorTest, EmptyReplacementAndDuplicatesAreKeptInOrder) {
  Add(L"ab", L"");
  Add(L"ab", L"cd");
  ASSERT_EQ(table.Rows(), 2);
  EXPECT_EQ(table.CellText(1, 2), L"");
  EXPECT_EQ(table.CellText(2, 2), L"cd");
}

TEST_F(DictionaryEditorTest, TestSpeaksTheSelectedRowOrTheTypedReplacement) {
  Add(L"a", L"pierwszy");
  Add(L"b", L"drugi");
  editor.TableSelectionChanged(1, 1);
  editor.Test();
  Type(1, L"wpisany");
  editor.Test();
  EXPECT_EQ(speaker.spoken, (std::vector<std::wstring>{L"pierwszy", L"wpisany"}));
}

TEST_F(DictionaryEditorTest, DeleteRemovesTheSelectedRowOnlyWhenThereIsOne) {
  Add(L"a", L"1");
  Add(L"b", L"2");
  Add(L"c", L"3");
  editor.TableKeyDown(kKeyDelete);  // nothing selected
  EXPECT_EQ(table.Rows(), 3);
  editor.TableSelectionChanged(2, 1);
  editor.TableKeyDown(kKeyDelete);
  ASSERT_EQ(table.Rows(), 2);
  EXPECT_EQ(table.CellText(2, 1), L"c");
  EXPECT_EQ(table.SelectedRow(), 2);  // the row that followed
  EXPECT_EQ(editor.TestText(), L"3");
  editor.TableKeyDown(kKeyDelete);
  editor.TableKeyDown(kKeyDelete);
  editor.TableKeyDown(kKeyDelete);
  EXPECT_EQ(table.Rows(), 0);
  EXPECT_EQ(table.SelectedRow(), 0);
}

TEST_F(DictionaryEditorTest, TypingXOnAbcThenEnterStoresXabc) {
  Add(L"abc", L"r");
  editor.EditRequested(1, 1, L'x');
  ASSERT_TRUE(view.editorShown);
  EXPECT_EQ(view.editorRow, 1);
  EXPECT_EQ(view.editorCol, 1);
  EXPECT_EQ(view.editor.text, L"xabc");
  EXPECT_EQ(view.editor.selectionStart, 1);
  EXPECT_EQ(view.editor.selectionLength, 3);
  EXPECT_TRUE(editor.EditorKeyDown(kKeyEnter, view.editor.text));
  EXPECT_EQ(table.CellText(1, 1), L"xabc");
  EXPECT_FALSE(view.editorShown);
}

TEST_F(DictionaryEditorTest, TypingOverTheSelectionStoresOnlyTheNewText) {
  Add(L"abc", L"r");
  editor.EditRequested(1, 2, L'x');
  // "y" replaces the selected "r": the editor holds "xy".
  editor.EditorKeyDown(L'Y', L"xy");
  EXPECT_TRUE(view.editorShown);
  editor.EditorKeyDown(kKeyEnter, L"xy");
  EXPECT_EQ(table.CellText(1, 2), L"xy");
  EXPECT_EQ(table.CellText(1, 1), L"abc");
}

TEST_F(DictionaryEditorTest, EscapeOrLeavingTheEditorKeepsTheCell) {
  Add(L"abc", L"r");
  editor.EditRequested(1, 1, 0);
  EXPECT_EQ(view.editor.text, L"abc");
  EXPECT_TRUE(editor.EditorKeyDown(kKeyEscape, L"zmienione"));
  EXPECT_EQ(table.CellText(1, 1), L"abc");
  EXPECT_TRUE(view.tableFocused);
  EXPECT_FALSE(view.editorShown);

  editor.EditRequested(1, 1, L'q');
  editor.EditCancelled();  // a click elsewhere
  EXPECT_EQ(table.CellText(1, 1), L"abc");
  EXPECT_FALSE(view.editorShown);
  EXPECT_EQ(view.editor.text, L"");
  EXPECT_FALSE(editor.Editing());
}

TEST_F(DictionaryEditorTest, AnEditRequestOutsideTheTableOpensNothing) {
  editor.EditRequested(1, 1, L'x');
  EXPECT_FALSE(view.editorShown);
  Add(L"a", L"b");
  editor.EditRequested(1, 3, L'x');
  editor.EditRequested(0, 1, L'x');
  EXPECT_FALSE(view.editorShown);
}

}  // namespace
}  // namespace mowik::test
