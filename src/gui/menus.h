// Popup menus: items linked to actions or with handlers of their own, built from a table and
// made into a system menu each time they open, so they always show their actions' states.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/actions.h"

namespace k32::gui {

class TMenuItem {
 public:
  std::string Name;
  std::string Caption;  // "-" is a separator
  std::string Hint;
  TShortCut ShortCut = scNone;
  int ImageIndex = -1;
  bool Default = false;
  int Tag = 0;  // free for the menu's owner
  std::function<void()> OnClick;
  TAction* Action = nullptr;  // when set, its state wins over the item's own
  class TPopupMenu* SubMenu = nullptr;  // when set, the item opens it

  [[nodiscard]] std::string EffectiveCaption() const { return Action ? Action->Caption() : Caption; }
  [[nodiscard]] std::string EffectiveHint() const { return Action ? Action->Hint() : Hint; }
  [[nodiscard]] TShortCut EffectiveShortCut() const { return Action ? Action->ShortCut() : ShortCut; }
  [[nodiscard]] int EffectiveImage() const { return Action ? Action->ImageIndex() : ImageIndex; }
  [[nodiscard]] bool Enabled() const { return Action ? Action->Enabled() : enabled_; }
  [[nodiscard]] bool Visible() const { return Action ? Action->Visible() : visible_; }
  [[nodiscard]] bool Checked() const { return Action ? Action->Checked() : checked_; }
  void SetEnabled(bool value) { enabled_ = value; }
  void SetVisible(bool value) { visible_ = value; }
  void SetChecked(bool value) { checked_ = value; }
  [[nodiscard]] bool IsSeparator() const { return Caption == "-" && !Action; }
  // What choosing the item does: the action, or the item's own handler.
  void Click();

 private:
  bool enabled_ = true, visible_ = true, checked_ = false;
};

// One row of a menu table.
struct TMenuItemRow {
  const char* name;
  const char* caption;  // null when the item takes the action's
  TAction* action;
  std::function<void()> onClick;
  TShortCut shortcut = scNone;
  bool isDefault = false;
  const char* hint = nullptr;
};

class TPopupMenu {
 public:
  explicit TPopupMenu(std::string name) : Name(std::move(name)) {}
  std::string Name;
  HIMAGELIST Images = nullptr;
  // Before the menu opens; and once it has closed, after the chosen item has run.
  std::function<void()> OnPopup;
  std::function<void()> OnClose;

  TMenuItem* Add(const TMenuItemRow& row);
  void AddSeparator();
  void Clear() { items_.clear(); }
  [[nodiscard]] const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }
  TMenuItem* Find(const std::string& name) const;

  // Opens the menu with its top-left corner at a screen point and runs the chosen item.
  void Popup(int x, int y, HWND owner);
  // Builds the system menu as it would show now: the command of item i is i + 1, that of item j of
  // the submenu of item i is (i + 1) * kSubMenuBase + j + 1.
  static constexpr UINT kSubMenuBase = 1000;
  HMENU BuildMenu(UINT base = 0) const;

  // Tests stand in for the user: given the built menu and the point, return the chosen command.
  static std::function<UINT(TPopupMenu&, HMENU, POINT)> TrackHook;
  // Owner-drawn images and hints of the open menu, from the owner window's procedure.
  static bool HandleMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  static TPopupMenu* Open() { return open_; }

 private:
  // The item of a command, in this menu or one of its submenus; null for none.
  TMenuItem* ItemOfCommand(UINT command) const;

  std::vector<std::unique_ptr<TMenuItem>> items_;
  static TPopupMenu* open_;
};

// One row of an owner's menu table: the menu, then the item. An item linked to an action takes its
// caption (null here); "-" is a separator.
template <typename Owner>
struct TMenuRow {
  TPopupMenu Owner::*menu;
  const char* name;
  const char* caption;
  TAction* Owner::*action = nullptr;
  void (Owner::*onClick)() = nullptr;
  TShortCut shortcut = scNone;
  bool isDefault = false;
  const char* hint = nullptr;
};

// Fills the owner's menus from its table, in row order.
template <typename Owner>
void BuildMenus(Owner& owner, std::type_identity_t<std::span<const TMenuRow<Owner>>> rows) {
  for (const TMenuRow<Owner>& row : rows) {
    std::function<void()> click;
    if (row.onClick) click = [&owner, handler = row.onClick] { (owner.*handler)(); };
    (owner.*row.menu)
        .Add({row.name, row.caption, row.action ? owner.*row.action : nullptr, std::move(click), row.shortcut,
              row.isDefault, row.hint});
  }
}

}  // namespace k32::gui
