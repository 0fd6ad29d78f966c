// The settings window's layout: every control inside the window and inside its page or
// frame, no two controls of one page on top of each other, and twips to pixels.
#include "mowik/shell/layout_table.h"

#include <gtest/gtest.h>

#include <set>

namespace mowik::test {
namespace {

bool Inside(const Twips& inner, const Twips& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}
bool Overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

TEST(Layout, EveryControlFitsItsWindowPageAndFrame) {
  const Twips client{0, 0, kClientWidthTwips, kClientHeightTwips};
  const Twips tabs = WindowBox(*FindLayout(kIdTabs));
  std::set<int32_t> ids;
  for (const ControlLayout& control : SettingsWindowLayout()) {
    EXPECT_TRUE(ids.insert(control.id).second) << control.name;
    const Twips box = WindowBox(control);
    EXPECT_TRUE(Inside(box, client)) << control.name;
    if (control.page != Page::kWindow) {
      EXPECT_TRUE(Inside(box, tabs)) << control.name;
    }
    if (control.frame != kIdNone) {
      EXPECT_TRUE(Inside(box, WindowBox(*FindLayout(control.frame)))) << control.name;
    }
  }
}

TEST(Layout, NoTwoControlsOfAPageOverlap) {
  const auto layout = SettingsWindowLayout();
  for (size_t i = 0; i < layout.size(); ++i)
    for (size_t j = i + 1; j < layout.size(); ++j) {
      const ControlLayout &a = layout[i], &b = layout[j];
      if (a.page != b.page || a.kind == ControlKind::kCellEditor || b.kind == ControlKind::kCellEditor) continue;
      // A frame and the tab control hold other controls.
      if (a.kind == ControlKind::kFrame || b.kind == ControlKind::kFrame || a.kind == ControlKind::kTabs ||
          b.kind == ControlKind::kTabs)
        continue;
      EXPECT_FALSE(Overlap(WindowBox(a), WindowBox(b))) << a.name << " and " << b.name;
    }
}

TEST(Layout, FramesAddTheirOffsetToThePage) {
  const Twips field = WindowBox(*FindLayout(kIdVoiceName));
  EXPECT_EQ(field.left, 120 + 2520 + 1560);
  EXPECT_EQ(field.top, 120 + 480 + 480);
  EXPECT_EQ(WindowBox(*FindLayout(kIdSave)).left, 5400);
}

TEST(Layout, TwipsBecomePixelsAtTheScreensDensity) {
  EXPECT_EQ(TwipsToPixels(6735, 96), 449);
  EXPECT_EQ(TwipsToPixels(1440, 144), 144);
  EXPECT_EQ(TwipsToPixels(3007, 96), 200);  // 200.47
  EXPECT_EQ(TwipsToPixels(22, 96), 1);      // 1.47
  EXPECT_EQ(TwipsToPixels(7, 96), 0);       // 0.47
  EXPECT_EQ(TwipsToPixels(45, 96), 3);
  EXPECT_EQ(TwipsToPixels(30, 120), 2);  // 2.5 to the even neighbour
  EXPECT_EQ(TwipsToPixels(42, 120), 4);  // 3.5
}

}  // namespace
}  // namespace mowik::test
