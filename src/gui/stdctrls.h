// The standard controls of the dialogs: buttons, check boxes, labels, edits, group and list boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/control.h"

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

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool ColorReflected(HDC dc, LRESULT* result) override;
  HFONT Font() const override;

 private:
  void FitToText();
  mutable HFONT underlined_ = nullptr;
  mutable HFONT underlinedFrom_ = nullptr;

 public:
  ~TLabel() override;
};

class TEdit : public TControl {
 public:
  TEdit(TWinControl* parent, const std::string& text = "");
  bool ReadOnly = false;
  int MaxLength = 0;  // 0: the control's own limit
  int Color = -1;     // a system colour index for the background (COLOR_BTNFACE); -1: the default

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool ColorReflected(HDC dc, LRESULT* result) override;
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
  int ItemHeight = 0;  // 0: the font's height
  int Color = -1;      // a system colour index for the background; -1: the default
  void Clear();
  void Add(const std::string& item);
  [[nodiscard]] std::vector<std::string> Items();
  [[nodiscard]] int Count();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  bool ColorReflected(HDC dc, LRESULT* result) override;

 private:
  std::vector<std::string> kept_;
};

}  // namespace k32::gui
