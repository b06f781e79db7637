// The platform's rich-edit control, a Unicode window of class "RICHEDIT50W" (msftedit.dll; where that
// is missing, "RichEdit20W" of riched20.dll): text added line by line, read whole, and written out
// as Rich Text Format. Text goes in and out wide, so that every character survives, for this
// program and for any other that reads the window (the file writes those outside its code page as
// Unicode escapes).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "gui/control.h"

namespace k32::gui {

class TRichEdit : public TControl {
 public:
  explicit TRichEdit(TWinControl* parent);

  bool ReadOnly = false;
  bool WordWrap = true;
  bool HorzScrollBar = false;
  bool VertScrollBar = false;
  COLORREF Color = CLR_INVALID;  // background; CLR_INVALID: the window colour

  // How many characters the control takes; 0 leaves the control's own default.
  void SetMaxLength(std::size_t characters);
  [[nodiscard]] std::size_t MaxLength() const { return maxLength_; }

  // Redraw stays off between the two; pairs nest.
  void BeginUpdate();
  void EndUpdate();

  void Clear();
  // Appends each line followed by a carriage return and a line feed. Raises EGuiError when the
  // control does not take the lines whole (it is full) or the process is short of address space.
  void AddLines(std::span<const std::wstring_view> lines);
  void AddLine(std::wstring_view line) { AddLines({&line, 1}); }
  [[nodiscard]] int LineCount();
  // Puts the caret at a character position, without a selection, and scrolls it into view.
  void SetSelStart(int position);
  // The whole text as the control gives it, whatever is selected.
  [[nodiscard]] std::wstring AllText();

  // Writes the content as Rich Text Format, creating or replacing the file. Raises EGuiError when
  // the file cannot be created or the control fails while streaming.
  void SaveToFile(const std::wstring& fileName);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  void ApplyLimit();
  // Inserts at the end; answers whether the control took every character.
  bool AppendAtEnd(const std::wstring& text);

  std::size_t maxLength_ = 0;
  int updating_ = 0;
  std::wstring kept_;  // the text across re-creation of the window
};

}  // namespace k32::gui
