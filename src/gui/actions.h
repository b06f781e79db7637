// Commands with their state: caption, hint, shortcut, image, checked, enabled, visible. Menu items
// and tool buttons linked to an action follow every change.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace k32::gui {

// A key with its modifiers, as one number: virtual key | scShift | scCtrl | scAlt.
using TShortCut = unsigned;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
// "F5", "Ctrl+P", "Alt+Enter": the text a menu shows beside its item.
std::string ShortCutToText(TShortCut shortcut);

class TAction;

// Something that shows an action and must follow its state.
class IActionClient {
 public:
  virtual ~IActionClient() = default;
  virtual void ActionChanged(TAction& action) = 0;
};

class TAction {
 public:
  std::string Name;

  [[nodiscard]] const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  [[nodiscard]] const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  [[nodiscard]] TShortCut ShortCut() const { return shortcut_; }
  void SetShortCut(TShortCut shortcut);
  [[nodiscard]] int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  [[nodiscard]] bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  [[nodiscard]] bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  [[nodiscard]] bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  std::function<void()> OnExecute;
  // Runs the handler when the action is enabled; true when it ran.
  bool Execute();

  void AddClient(IActionClient* client);
  void RemoveClient(IActionClient* client);

 private:
  void Changed();

  std::string caption_, hint_;
  TShortCut shortcut_ = scNone;
  int imageIndex_ = -1;
  bool checked_ = false, enabled_ = true, visible_ = true;
  std::vector<IActionClient*> clients_;
};

// The actions of one form; its shortcut keys fire while that form is enabled.
class TActionList {
 public:
  explicit TActionList(std::function<HWND()> ownerWindow);
  ~TActionList();
  TActionList(const TActionList&) = delete;
  TActionList& operator=(const TActionList&) = delete;

  TAction* Add(const std::string& name);
  [[nodiscard]] const std::vector<std::unique_ptr<TAction>>& Actions() const { return actions_; }
  [[nodiscard]] HWND OwnerWindow() const { return ownerWindow_(); }
  // Fires the enabled action whose shortcut the key message carries, visible or not.
  bool IsShortCut(const MSG& msg);
  // The same, for a shortcut value.
  bool ExecuteShortCut(TShortCut shortcut);

 private:
  std::function<HWND()> ownerWindow_;
  std::vector<std::unique_ptr<TAction>> actions_;
};

// The shortcut a key-down message carries, with the modifiers held at the time.
TShortCut ShortCutFromKey(WPARAM virtualKey);

}  // namespace k32::gui
