// Forms built from rows.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "gui/form.h"
#include "gui/layout.h"
#include "gui/stdctrls.h"

namespace k32 {
namespace {

using gui::TControlKind;

RECT BoundsInParent(gui::TControl* control) {
  RECT rect{};
  GetWindowRect(control->Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> ChildrenInZOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

TEST(Layout, EachRowBecomesItsKindUnderItsParentWithItsBoundsInTabOrder) {
  const gui::TLayoutRow rows[] = {
      {TControlKind::ckGroupBox, nullptr, "box", "组", 8, 8, 200, 100, 1},
      {TControlKind::ckEdit, "box", "edit", "文字", 10, 20, 80, 21, 0, gui::loReadOnly, 5},
      {TControlKind::ckLabel, "box", "label", "标签", 10, 50, 60, 13, 0, gui::loFixedSize},
      {TControlKind::ckButton, nullptr, "ok", "确定", 120, 150, 75, 25, 0, gui::loDefault, gui::mrOk},
      {TControlKind::ckListBox, nullptr, "list", nullptr, 220, 8, 70, 50, 2, 0, 17},
      {TControlKind::ckBevel, nullptr, "rule", nullptr, 0, 110, 300, 9, 3},
  };
  gui::TForm form;
  form.SetClientSize(300, 200);
  const gui::TLayout layout(form, rows);
  form.HandleNeeded();

  auto* box = layout.Get<gui::TGroupBox>("box");
  auto* edit = layout.Get<gui::TEdit>("edit");
  auto* label = layout.Get<gui::TLabel>("label");
  auto* ok = layout.Get<gui::TButton>("ok");
  auto* list = layout.Get<gui::TListBox>("list");
  auto* rule = layout.Get<gui::TBevel>("rule");
  EXPECT_EQ(edit->Parent(), box);
  EXPECT_EQ(label->Parent(), box);
  EXPECT_EQ(ChildrenInZOrder(form.Handle()),
            (std::vector<HWND>{ok->Handle(), box->Handle(), list->Handle(), rule->Handle()}));
  EXPECT_EQ(ChildrenInZOrder(box->Handle()), (std::vector<HWND>{edit->Handle(), label->Handle()}));

  const RECT editRect = BoundsInParent(edit), labelRect = BoundsInParent(label);
  const RECT ruleRect = BoundsInParent(rule);
  EXPECT_EQ(editRect.left, 10);
  EXPECT_EQ(editRect.top, 20);
  EXPECT_EQ(editRect.right, 90);
  EXPECT_EQ(editRect.bottom, 41);
  EXPECT_EQ(labelRect.right - labelRect.left, 60);  // its own size, not the text's
  EXPECT_EQ(ruleRect.top, 117);                     // along the bottom edge of its rectangle
  EXPECT_EQ(ruleRect.bottom - ruleRect.top, 2);

  EXPECT_EQ(edit->Text(), "文字");
  EXPECT_EQ(box->Text(), "组");
  EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_EQ(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(ok->ModalResult, gui::mrOk);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 17);
  EXPECT_EQ(ok->Name, "ok");

  EXPECT_THROW(layout.Get<gui::TButton>("edit"), std::logic_error);
  EXPECT_THROW(layout.Get<gui::TButton>("none"), std::logic_error);
}

TEST(Layout, ATableWithAParentItDoesNotHoldOrANameTwiceIsRefused) {
  const gui::TLayoutRow orphan[] = {{TControlKind::ckButton, "nowhere", "ok", "确定", 0, 0, 75, 25}};
  const gui::TLayoutRow twice[] = {{TControlKind::ckPanel, nullptr, "p", nullptr, 0, 0, 10, 10},
                                   {TControlKind::ckPanel, nullptr, "p", nullptr, 0, 0, 10, 10}};
  const gui::TLayoutRow custom[] = {{TControlKind::ckCustom, nullptr, "c", nullptr, 0, 0, 10, 10}};
  gui::TForm form;
  EXPECT_THROW(gui::TLayout(form, orphan), std::logic_error);
  EXPECT_THROW(gui::TLayout(form, twice), std::logic_error);
  EXPECT_THROW(gui::TLayout(form, custom), std::logic_error);  // no function to make it
}

}  // namespace
}  // namespace k32
