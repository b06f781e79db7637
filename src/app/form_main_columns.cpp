// The main window's column clicks (the first one switches the list's column sorting on for the rest
// of the run; the list then sorts by the clicked column itself), and what is taken out of a list: a
// row to the clipboard, the shown list to a CSV file.
#include "app/form_main.h"
#include "gui/application.h"
#include "gui/clipboard.h"
#include "gui/dialogs.h"
#include "gui/file_write.h"
#include "listview/list_export.h"

namespace k32 {

namespace {
void SortOnClick(TMainListView* list) {
  if (list->AutoColumnSort() != acsSortToggle) list->SetAutoColumnSort(acsSortToggle);
}
}  // namespace

void TFormMain::ProcListColumnClick(int) { SortOnClick(ProcessPage().ProcList()); }
void TFormMain::ModuleListColumnClick(int) { SortOnClick(ProcessPage().ModuleList()); }
void TFormMain::WindowListColumnClick(int) { SortOnClick(WindowPage().WindowList()); }
void TFormMain::ChildListColumnClick(int) { SortOnClick(WindowPage().ChildList()); }

TMainListView* TFormMain::ShownUpperList() const {
  return Notebook->PageIndex() == 0 ? processPage_->ProcList() : windowPage_->WindowList();
}

TMainListView* TFormMain::ChosenList() const {
  for (TMainListView* list : {processPage_->ProcList(), processPage_->ModuleList(), windowPage_->WindowList(),
                              windowPage_->ChildList()})
    if (list->Focused()) return list;
  return ShownUpperList();
}

void TFormMain::CopyCmdExecute() {
  TMainListView* list = ChosenList();
  if (const gui::TListItem* row = list->Selected()) gui::ClipboardSetText(Handle(), ShownRowText(*list, *row));
}

void TFormMain::ExportCmdExecute() {
  gui::TSaveDialog dialog;
  dialog.DefaultExt = "csv";
  dialog.Filter = "CSV 文件 (*.csv)|*.csv|所有文件 (*.*)|*.*";
  dialog.Options = gui::ofHideReadOnly | gui::ofEnableSizing | gui::ofOverwritePrompt;
  dialog.FileName = Notebook->PageIndex() == 0 ? L"\u8FDB\u7A0B.csv" : L"\u7A97\u53E3.csv";  // 进程, 窗口
  if (!dialog.Execute(Handle())) return;
  gui::WriteWholeFile(dialog.FileName, ListCsv(*ShownUpperList()));
}

}  // namespace k32
