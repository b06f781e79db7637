#include "report/form_report.h"

#include "gui/clipboard.h"
#include "gui/guard.h"
#include "report/report_lines.h"

namespace k32 {

namespace {

// Redraw stays off while the lines go in, also when one of them fails.
class UpdateScope {
 public:
  explicit UpdateScope(gui::TRichEdit& edit) : edit_(edit) { edit_.BeginUpdate(); }
  ~UpdateScope() {
    gui::Guarded([this] { edit_.EndUpdate(); });
  }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  gui::TRichEdit& edit_;
};

}  // namespace

TFormReport::TFormReport(gui::TForm* owner) : gui::TForm(owner) {
  SetCaption("有关正在运行进程的报告");
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetClientSize(452, 352);

  // Creation order is the tab order: the panel first, then the text.
  Panel = Add<gui::TPanel>();
  Panel->SetBounds(0, 311, 452, 41);
  Panel->SetAlign(gui::TAlign::alBottom);
  btnClose = Panel->Add<gui::TButton>("关闭");
  btnClose->SetBounds(271, 8, 75, 25);
  btnClose->ModalResult = gui::mrCancel;
  btnClose->SetDefault(true);
  btnCopy = Panel->Add<gui::TButton>("复制");
  btnCopy->SetBounds(187, 8, 75, 25);
  btnCopy->OnClick = [this] { btnCopyClick(); };
  btnSave = Panel->Add<gui::TButton>("另存为...");
  btnSave->SetBounds(105, 8, 75, 25);
  btnSave->OnClick = [this] { btnSaveClick(); };

  Memo = Add<gui::TRichEdit>();
  Memo->SetBounds(0, 0, 452, 311);
  Memo->SetAlign(gui::TAlign::alClient);
  Memo->ReadOnly = true;
  Memo->WordWrap = false;
  Memo->HorzScrollBar = true;
  Memo->VertScrollBar = true;
  Memo->Color = GetSysColor(COLOR_BTNFACE);

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
