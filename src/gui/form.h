// Top-level windows: the main window and the dialogs, shown normally or modally.
#pragma once

#include "gui/control.h"
#include "gui/handles.h"

namespace k32::gui {

enum TModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TBorderStyle { bsSizeable, bsDialog, bsNone };
enum class TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

class TButton;

class TForm : public TWinControl {
 public:
  // owner: the window this one belongs to (null for the main window).
  explicit TForm(TForm* owner = nullptr);
  ~TForm() override;

  [[nodiscard]] TForm* Owner() const { return owner_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  std::string Caption() { return Text(); }

  TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
  TPosition Position = TPosition::poDesigned;
  bool IsMainForm = false;
  // Buttons that Enter and Esc press.
  TButton* DefaultButton = nullptr;
  TButton* CancelButton = nullptr;
  // The control that takes the focus when the form becomes active; follows the focus as the form
  // is left, so that it comes back to the same control.
  TControl* ActiveControl = nullptr;

  [[nodiscard]] TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  // Sizes designed at 96 DPI, scaled to the form's: of the client area, or of the whole window.
  void SetClientSize(int width, int height);
  void SetDesignSize(int width, int height);
  int ClientWidth();
  int ClientHeight();

  void Show();
  void Hide();
  int ShowModal();
  [[nodiscard]] bool Modal() const { return modal_; }
  [[nodiscard]] int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // The close path: FormClose, then the main window ends the loop, a modal one its showing.
  void Close();

  // Alt with a letter: the form's own accelerators. True when it was used.
  virtual bool DialogChar(const MSG&) { return false; }
  // Dialog navigation (Tab, Enter, Esc) applies.
  [[nodiscard]] virtual bool IsDialog() const { return BorderStyle == TBorderStyle::bsDialog; }

  [[nodiscard]] int Dpi() const override { return dpi_; }
  // Lays the form out again for another DPI, once: from the designed values, so that no number
  // drifts however often the DPI changes. bounds: where the window goes (the system's suggestion);
  // null keeps its place and takes the designed size.
  void ChangeDpi(int dpi, const RECT* bounds = nullptr);
  // The window's bounds in screen pixels when it was last not minimised.
  [[nodiscard]] RECT RestoredBounds() const { return restored_; }

 protected:
  virtual void FormShow() {}
  // Returns false to keep the window open.
  virtual bool FormClose() { return true; }

  void CreateParams(TCreateParams& params) override;
  HWND CreationParent() override;
  void CreateWnd() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Center();

 private:
  void ApplyDesignSize();
  void LoadIcons();

  TForm* owner_;
  int dpi_;
  FontHandle font_;
  IconHandle smallIcon_;
  IconHandle bigIcon_;
  SIZE designClient_{0, 0};
  SIZE designOuter_{0, 0};
  RECT restored_{0, 0, 0, 0};
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  bool modal_ = false;
  int modalResult_ = mrNone;
};

// The program's window font: "宋体", 12 pixels at 96 DPI, GB2312.
HFONT CreateProgramFont(int dpi = kDesignDpi);

}  // namespace k32::gui
