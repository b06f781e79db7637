// The standard controls of the dialogs: buttons, check boxes, labels, edits, group and list boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/handles.h"

namespace k32::gui {

class TButton : public TControl {
 public:
  TButton(TWinControl* parent, const std::string& caption);
  int ModalResult = 0;  // given to the form when pressed
  std::function<void()> OnClick;
  // Presses the button: its handler, then its modal result.
  void Click();
  void SetDefault(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  bool CommandReflected(WPARAM wparam, LRESULT* result) override;

 private:
  bool default_ = false;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TWinControl* parent, const std::string& caption);
  [[nodiscard]] bool Checked();
  void SetChecked(bool checked);
  std::function<void()> OnClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  bool CommandReflected(WPARAM wparam, LRESULT* result) override;

 private:
  bool checked_ = false;
};

class TLabel : public TControl {
 public:
  TLabel(TWinControl* parent, const std::string& caption);
  bool AutoSize = true;
  bool Transparent = true;
  COLORREF FontColor = CLR_INVALID;  // CLR_INVALID: the window text colour
  bool Underline = false;
  DWORD Alignment = SS_LEFT;
  std::function<void()> OnClick;
  // A click on the label: its handler.
  virtual void Click();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ChangeScale(int oldDpi) override;
  bool ColorReflected(HDC dc, LRESULT* result) override;
  bool CommandReflected(WPARAM wparam, LRESULT* result) override;
  HFONT Font() const override;

 private:
  void FitToText();
  mutable HFONT underlined_ = nullptr;
  mutable HFONT underlinedFrom_ = nullptr;

 public:
  ~TLabel() override;
};

// A picture from the program's bitmap resources, sized to it.
class TImage : public TControl {
 public:
  explicit TImage(TWinControl* parent);
  ~TImage() override;
  // Loads the picture, stretched to the form's DPI; false (and no picture) when the resource is
  // missing.
  bool LoadBitmapResource(const char* name);
  [[nodiscard]] HBITMAP Picture() const { return picture_.Get(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ChangeScale(int oldDpi) override;

 private:
  BitmapHandle picture_;
  std::string resource_;
};

// A sunken rule along the bottom edge of a rectangle.
class TBevel : public TControl {
 public:
  explicit TBevel(TWinControl* parent);
  // The rectangle whose bottom edge carries the rule.
  void SetRect(int left, int top, int width, int height);

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TEdit : public TControl {
 public:
  TEdit(TWinControl* parent, const std::string& text = "");
  bool ReadOnly = false;
  int MaxLength = 0;  // 0: the control's own limit
  int Color = -1;     // a system colour index for the background (COLOR_BTNFACE); -1: the default
  // After each change of the text, as it is typed.
  std::function<void()> OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool ColorReflected(HDC dc, LRESULT* result) override;
  bool CommandReflected(WPARAM wparam, LRESULT* result) override;
};

class TGroupBox : public TWinControl {
 public:
  TGroupBox(TWinControl* parent, const std::string& caption);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
};

class TListBox : public TControl {
 public:
  explicit TListBox(TWinControl* parent);
  int ItemHeight = 0;  // designed at 96 DPI; never less than the font's height
  int Color = -1;      // a system colour index for the background; -1: the default
  void Clear();
  void Add(const std::string& item);
  [[nodiscard]] std::vector<std::string> Items();
  [[nodiscard]] int Count();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void ChangeScale(int oldDpi) override;
  bool ColorReflected(HDC dc, LRESULT* result) override;

 private:
  void ApplyItemHeight();
  std::vector<std::string> kept_;
};

}  // namespace k32::gui
