// The report window: the finished report, read-only, to copy or save.
#pragma once

#include <string_view>

#include "gui/dialogs.h"
#include "gui/form.h"
#include "gui/richedit.h"
#include "gui/stdctrls.h"

namespace k32 {

class TFormReport : public gui::TForm {
 public:
  explicit TFormReport(gui::TForm* owner);

  // Replaces the content with the report, one line of the control per line of the text. Raises
  // EGuiError when a line cannot be inserted.
  void SetReport(std::wstring_view text);

  void btnSaveClick();
  void btnCopyClick();
  bool FormClose() override;

  gui::TPanel* Panel;
  gui::TRichEdit* Memo;
  gui::TButton* btnClose;
  gui::TButton* btnCopy;
  gui::TButton* btnSave;
  gui::TSaveDialog SaveDialog;
};

}  // namespace k32
