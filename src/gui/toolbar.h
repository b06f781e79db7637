// Tool bars of image or text buttons, and the cool bar that holds them as bands.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/actions.h"
#include "gui/control.h"

namespace k32::gui {

class TToolBar;

class TToolButton : public IActionClient {
 public:
  TToolButton(TToolBar* bar, std::string name, TAction* action, std::string caption, int separatorWidth);
  ~TToolButton() override;

  std::string Name;
  std::function<void()> OnClick;
  // Set: pressing the left button on this button hands the press to it (a drag that starts there)
  // instead of the bar's own pressing and clicking.
  std::function<void()> OnMouseDown;
  bool ShowHint = true;  // tooltip

  [[nodiscard]] TAction* Action() const { return action_; }
  [[nodiscard]] bool IsSeparator() const { return separatorWidth_ > 0; }
  [[nodiscard]] bool Visible() const { return action_ ? action_->Visible() : true; }
  [[nodiscard]] bool Enabled() const { return action_ ? action_->Enabled() : true; }
  [[nodiscard]] bool Down() const { return action_ && action_->Checked(); }
  [[nodiscard]] std::string Caption() const { return caption_; }
  [[nodiscard]] std::string Hint() const { return action_ ? action_->Hint() : hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  // What pressing the button does: its own handler, else its action.
  void Click();
  // The button's rectangle in the bar's client coordinates.
  RECT Rect() const;
  [[nodiscard]] int CommandId() const { return commandId_; }

  void ActionChanged(TAction& action) override;

 private:
  friend class TToolBar;
  TToolBar* bar_;
  TAction* action_;
  std::string caption_, hint_;
  int separatorWidth_;
  int commandId_;
};

class TToolBar : public TControl {
 public:
  static constexpr int kMinTextButtonWidth = 65;
  TToolBar(TWinControl* parent, bool textButtons);
  HIMAGELIST Images = nullptr;
  // A button is held down with the mouse; and let go again, after its click has run (or without
  // one, when the mouse left it).
  std::function<void()> OnPress;
  std::function<void()> OnRelease;

  TToolButton* AddButton(const std::string& name, TAction* action);
  TToolButton* AddTextButton(const std::string& name, const std::string& caption,
                             std::function<void()> onClick);
  void AddSeparator(int width);
  [[nodiscard]] TToolButton* Find(const std::string& name) const;
  [[nodiscard]] const std::vector<std::unique_ptr<TToolButton>>& Buttons() const { return buttons_; }
  // Width and height the buttons need.
  SIZE IdealSize();
  // The button whose caption carries the "&" letter of this key.
  TToolButton* ButtonForAccelerator(char letter) const;
  std::string HintAt(POINT point) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ChangeScale(int oldDpi) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool CommandReflected(WPARAM wparam, LRESULT* result) override;

 private:
  friend class TToolButton;
  // Sizes for the form's DPI and the images, then every button.
  void Populate();
  void InsertButton(TToolButton& button);
  void Sync(TToolButton& button);
  void FitTextButton(TToolButton& button);
  int IndexOf(const TToolButton& button) const;
  TToolButton* FromCommand(int id) const;
  TToolButton* ButtonAt(POINT point);
  void Release();

  bool text_;
  std::vector<std::unique_ptr<TToolButton>> buttons_;
  int nextCommand_ = 1;
  bool pressed_ = false;
  bool releasing_ = false;
  std::string tipBuffer_;
  std::wstring tipBufferW_;
};

// The strip that holds tool bars side by side and sizes itself to them.
class TCoolBar : public TWinControl {
 public:
  explicit TCoolBar(TWinControl* parent);
  void AddBand(TControl* child, int minHeight, int width);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ChangeScale(int oldDpi) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool NotifyReflected(NMHDR* header, LRESULT* result) override;

 private:
  void FitHeight();
  struct Band {
    TControl* child;
    int minHeight, width;  // at 96 DPI
  };
  REBARBANDINFOA BandInfo(const Band& band);
  std::vector<Band> bands_;
};

}  // namespace k32::gui
