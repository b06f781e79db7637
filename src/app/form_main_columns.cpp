// The main window's column clicks (the first one switches the list's column sorting on for the rest
// of the run; the list then sorts by the clicked column itself), and what is taken out of a list: a
// row to the clipboard, the shown list to a CSV file.
#include "app/form_main.h"
#include "gui/clipboard.h"
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
  if (const gui::TListItem* row = list->Selected()) gui::ClipboardSetText(Handle(), RowText(*list, *row));
}

}  // namespace k32
