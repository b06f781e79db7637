// The main window and its notification-area icon: minimising hides the program to the icon, a click
// on the icon or its menu brings it back.
#include <memory>
#include <stdexcept>

#include "app/form_main.h"
#include "gui/application.h"

namespace k32 {

namespace {
gui::TMenuItem& RestoreItem(gui::TPopupMenu& menu) {
  gui::TMenuItem* item = menu.Find("miRestore");
  if (!item) throw std::logic_error("TrayMenu has no miRestore");
  return *item;
}
}  // namespace

std::unique_ptr<TSysTray> TFormMain::CreateSysTray() {
  auto tray = std::make_unique<TSysTray>();
  tray->Name = "SysTray";
  gui::TIcon icon;
  // The notification area draws its icons at the system DPI's small-icon size.
  icon.LoadResource("TRAYICON", GetSystemMetrics(SM_CXSMICON));
  tray->SetIcon(icon);
  tray->SetToolTip("Kestrel32");
  tray->PopupMenu = &TrayMenu;
  tray->OnClick = [this] { SysTrayClick(); };
  tray->SetActive(true);
  return tray;
}

void TFormMain::ApplicationEventsMinimize() {
  gui::TMenuItem& item = RestoreItem(TrayMenu);
  item.Caption = "还原";
  item.Tag = 1;
  // Hiding the window that holds the task-bar button takes the button away: the icon is the way back.
  if (HWND window = gui::Application().TaskbarWindow()) ShowWindowAsync(window, SW_HIDE);
}

void TFormMain::ApplicationEventsRestore() {
  gui::TMenuItem& item = RestoreItem(TrayMenu);
  item.Caption = "最小化";
  item.Tag = 0;
  if (HWND window = gui::Application().TaskbarWindow()) ShowWindowAsync(window, SW_RESTORE);
  RefreshIfTickMissed();
}

void TFormMain::SysTrayClick() { gui::Application().Restore(); }

void TFormMain::miRestoreClick() {
  if (RestoreItem(TrayMenu).Tag != 0)
    gui::Application().Restore();
  else
    gui::Application().Minimize();
}

}  // namespace k32
