#include "report/form_report.h"

#include "gui/clipboard.h"
#include "gui/guard.h"
#include "gui/layout.h"
#include "gui/update_scope.h"
#include "report/report_lines.h"

namespace k32 {

namespace {

using UpdateScope = gui::TUpdateScope<gui::TRichEdit>;

using gui::TControlKind;

// The panel comes first in tab order, then the text.
const gui::TLayoutRow kLayout[] = {
    {TControlKind::ckPanel, nullptr, "Panel", nullptr, 0, 311, 452, 41, 0, 0, 0, gui::TAlign::alBottom},
    {TControlKind::ckButton, "Panel", "btnClose", "关闭", 271, 8, 75, 25, 0, gui::loDefault, gui::mrCancel},
    {TControlKind::ckButton, "Panel", "btnCopy", "复制", 187, 8, 75, 25},
    {TControlKind::ckButton, "Panel", "btnSave", "另存为...", 105, 8, 75, 25},
    {TControlKind::ckRichEdit, nullptr, "Memo", nullptr, 0, 0, 452, 311, 0,
     gui::loReadOnly | gui::loFaceColor, 0, gui::TAlign::alClient},
};

}  // namespace

TFormReport::TFormReport(gui::TForm* owner) : gui::TForm(owner) {
  SetCaption("有关正在运行进程的报告");
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetClientSize(452, 352);

  const gui::TLayout layout(*this, kLayout);
  Panel = layout.Get<gui::TPanel>("Panel");
  btnClose = layout.Get<gui::TButton>("btnClose");
  btnCopy = layout.Get<gui::TButton>("btnCopy");
  btnCopy->OnClick = [this] { btnCopyClick(); };
  btnSave = layout.Get<gui::TButton>("btnSave");
  btnSave->OnClick = [this] { btnSaveClick(); };
  Memo = layout.Get<gui::TRichEdit>("Memo");
  Memo->WordWrap = false;
  Memo->HorzScrollBar = true;
  Memo->VertScrollBar = true;

  DefaultButton = btnClose;
  CancelButton = btnClose;
  ActiveControl = btnClose;

  SaveDialog.DefaultExt = "TXT";
  SaveDialog.Filter = "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*";
  SaveDialog.FilterIndex = 1;
  SaveDialog.Options = gui::ofHideReadOnly | gui::ofEnableSizing;
}

void TFormReport::SetReport(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  // The control's default capacity is far below an ordinary report: room for every line with its
  // CR LF, counted in bytes, which are never fewer than the characters the control counts.
  std::size_t room = 1;
  for (std::string_view line : lines) room += line.size() + 2;
  Memo->SetMaxLength(room);
  UpdateScope update(*Memo);
  Memo->Clear();
  Memo->AddLines(lines);
  Memo->SetSelStart(0);
}

void TFormReport::btnCopyClick() { gui::ClipboardSetText(Handle(), WithCrLf(Memo->AllText())); }

void TFormReport::btnSaveClick() {
  if (!SaveDialog.Execute(Handle())) return;
  Memo->SaveToFile(SaveDialog.FileName);
}

bool TFormReport::FormClose() { return true; }

}  // namespace k32
