// Main-window handlers whose work lands with its own subsystem; each one moves out of this file
// into its subsystem's source when that work is done.
#include "app/form_main.h"

namespace k32 {

void TFormMain::AddPidItem(const ProcessEntry&) {}
void TFormMain::AddModItem(const ModuleEntry&) {}
void TFormMain::RefreshCmdExecute() {}
void TFormMain::ProcListSelectItem(gui::TListItem*, bool) {}
void TFormMain::WindowListSelectItem(gui::TListItem*, bool) {}
void TFormMain::ReportCmdExecute() {}

}  // namespace k32
