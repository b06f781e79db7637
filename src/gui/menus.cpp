#include "gui/menus.h"

#include "gui/application.h"
#include "gui/control.h"
#include "gui/guard.h"

namespace k32::gui {

std::function<UINT(TPopupMenu&, HMENU, POINT)> TPopupMenu::TrackHook;
TPopupMenu* TPopupMenu::open_ = nullptr;

void TMenuItem::Click() {
  if (Action) {
    Action->Execute();
  } else if (OnClick) {
    OnClick();
  }
}

TMenuItem* TPopupMenu::Add(const TMenuItemRow& row) {
  auto item = std::make_unique<TMenuItem>();
  item->Name = row.name ? row.name : "";
  item->Caption = row.caption ? row.caption : "";
  item->Action = row.action;
  item->OnClick = row.onClick;
  item->ShortCut = row.shortcut;
  item->Default = row.isDefault;
  item->Hint = row.hint ? row.hint : "";
  items_.push_back(std::move(item));
  return items_.back().get();
}

void TPopupMenu::AddSeparator() { Add({"", "-", nullptr, nullptr}); }

TMenuItem* TPopupMenu::Find(const std::string& name) const {
  for (const auto& item : items_)
    if (item->Name == name) return item.get();
  return nullptr;
}

TMenuItem* TPopupMenu::ItemOfCommand(UINT command) const {
  if (command >= 1 && command <= items_.size()) return items_[command - 1].get();
  const UINT owner = command / kSubMenuBase;
  if (owner < 1 || owner > items_.size() || !items_[owner - 1]->SubMenu) return nullptr;
  return items_[owner - 1]->SubMenu->ItemOfCommand(command % kSubMenuBase);
}

HMENU TPopupMenu::BuildMenu(UINT base) const {
  HMENU menu = CreatePopupMenu();
  bool lastWasSeparator = true;  // no separator at the top, none twice in a row
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const TMenuItem& item = *items_[i];
    if (!item.Visible()) continue;
    if (item.IsSeparator()) {
      if (!lastWasSeparator) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      lastWasSeparator = true;
      continue;
    }
    std::string text = item.EffectiveCaption();
    if (const auto shortcut = item.EffectiveShortCut(); shortcut != scNone)
      text += "\t" + ShortCutToText(shortcut);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | (Images ? MIIM_BITMAP : 0);
    info.wID = base + static_cast<UINT>(i + 1);
    if (item.SubMenu) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = item.SubMenu->BuildMenu(static_cast<UINT>(i + 1) * kSubMenuBase);
    }
    info.dwTypeData = text.data();
    info.fState = (item.Enabled() ? MFS_ENABLED : MFS_DISABLED) | (item.Checked() ? MFS_CHECKED : 0) |
                  (item.Default ? MFS_DEFAULT : 0);
    info.dwItemData = i;
    if (Images && item.EffectiveImage() >= 0) info.hbmpItem = HBMMENU_CALLBACK;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    lastWasSeparator = false;
  }
  const int count = GetMenuItemCount(menu);
  if (count > 0 && GetMenuState(menu, count - 1, MF_BYPOSITION) & MF_SEPARATOR)
    DeleteMenu(menu, count - 1, MF_BYPOSITION);
  return menu;
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
  if (OnPopup) OnPopup();
  // However the choice ends.
  struct Closed {
    TPopupMenu& menu;
    ~Closed() {
      if (menu.OnClose) Guarded(menu.OnClose);
    }
  } closed{*this};
  HMENU menu = BuildMenu();
  UINT chosen = 0;
  TPopupMenu* outer = open_;
  open_ = this;
  if (TrackHook) {
    chosen = TrackHook(*this, menu, POINT{x, y});
  } else {
    chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                         x, y, owner, nullptr));
  }
  open_ = outer;
  DestroyMenu(menu);
  Application().SetHint("");
  if (TMenuItem* item = ItemOfCommand(chosen)) item->Click();
}

bool TPopupMenu::HandleMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  TPopupMenu* menu = open_;
  if (!menu) return false;
  switch (message) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlType != ODT_MENU) return false;
      int width = 16, height = 16;
      if (menu->Images) ImageList_GetIconSize(menu->Images, &width, &height);
      measure->itemWidth = static_cast<UINT>(width);
      measure->itemHeight = static_cast<UINT>(height);
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (draw->CtlType != ODT_MENU || draw->itemData >= menu->items_.size()) return false;
      const TMenuItem& item = *menu->items_[draw->itemData];
      int width = 16, height = 16;
      if (menu->Images) ImageList_GetIconSize(menu->Images, &width, &height);
      const int top = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - height) / 2;
      ImageList_DrawEx(menu->Images, item.EffectiveImage(), draw->hDC, draw->rcItem.left, top, width, height,
                       CLR_NONE, CLR_NONE, item.Enabled() ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
      *result = TRUE;
      return true;
    }
    case WM_MENUSELECT: {
      const UINT id = LOWORD(wparam);
      const UINT flags = HIWORD(wparam);
      std::string hint;
      if (!(flags & MF_POPUP) && !(flags & MF_SEPARATOR))
        if (const TMenuItem* item = menu->ItemOfCommand(id)) hint = item->EffectiveHint();
      Application().SetHint(LongHint(hint));
      *result = 0;
      return true;
    }
    default:
      (void)lparam;
      return false;
  }
}

}  // namespace k32::gui
