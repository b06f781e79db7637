// The main window's column clicks: the first one switches the list's column sorting on for the
// rest of the run; the list then sorts by the clicked column itself.
#include "app/form_main.h"

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

}  // namespace k32
