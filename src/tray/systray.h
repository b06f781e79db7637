// The program's icon in the notification area: adds, changes and removes it, turns the shell's mouse
// messages into click events, pops up a menu, and can cycle the icon through an image list.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "gui/application.h"
#include "gui/comctrls.h"
#include "gui/component.h"
#include "gui/control.h"
#include "gui/menus.h"

namespace k32 {

// The notification record in its first form, the one every shell version reads.
struct TNotifyIconRecord {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[64];
};

class TSysTray : public gui::TComponent {
 public:
  // The shell's mouse messages for the icon; lParam holds the mouse message.
  static constexpr UINT kCallbackMessage = WM_USER + 1;
  // Posted to itself: send the tip again.
  static constexpr UINT kToolTipMessage = WM_USER + 2;
  // Posted to itself by a right click: open the menu, then raise OnRightClick.
  static constexpr UINT kRightClickMessage = WM_USER + 3;
  static constexpr UINT kDefaultAnimateInterval = 100;

  TSysTray();
  ~TSysTray() override;

  [[nodiscard]] bool Active() const { return active_; }
  void SetActive(bool value);
  [[nodiscard]] bool Animate() const { return animate_; }
  void SetAnimate(bool value);
  [[nodiscard]] int AnimateInterval() const { return animateInterval_; }
  void SetAnimateInterval(int milliseconds);
  [[nodiscard]] bool ShowDesigning() const { return showDesigning_; }
  void SetShowDesigning(bool value);
  [[nodiscard]] const gui::TIcon& Icon() const { return icon_; }
  void SetIcon(const gui::TIcon& icon);
  [[nodiscard]] gui::TImageList* Images() const { return images_; }
  void SetImages(gui::TImageList* images);
  [[nodiscard]] const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(const std::string& text);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(TSysTray& sender, gui::TMouseButton button, gui::TShiftState shift, int x, int y)>
      OnRightClick;
  gui::TPopupMenu* PopupMenu = nullptr;

  // Each fills the record and asks the shell; true when the shell did it.
  bool AddIcon();
  bool ModifyIcon();
  bool DeleteIcon();

  // Brings the icon's window forward and leaves the menu to the loop: nothing is handled inside
  // the shell's notification.
  void DoRightClick();
  // One animation step: the next image of Images becomes the icon.
  void ChangeIcon();

  [[nodiscard]] HWND Handle() const { return window_.Handle(); }
  [[nodiscard]] const TNotifyIconRecord& Record() const { return record_; }
  [[nodiscard]] const gui::TTimer& AnimationTimer() const { return timer_; }

 protected:
  LRESULT WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Notification(gui::TComponent* component, gui::TOperation operation) override;

 private:
  void FillRecord();
  void RightClickMenu();

  bool active_ = false;
  bool animate_ = false;
  int animateInterval_ = kDefaultAnimateInterval;
  bool showDesigning_ = false;
  gui::TIcon icon_;
  gui::TIcon savedIcon_;
  gui::TImageList* images_ = nullptr;
  std::string toolTip_;
  int frame_ = 0;
  POINT rightClickAt_{};
  TNotifyIconRecord record_{};
  gui::TTimer timer_;
  gui::THiddenWindow window_;
};

}  // namespace k32
