// The refresh: every list of both pages rebuilt, the selections kept, counts shown.
#include <string>
#include <vector>

#include "app/form_main.h"
#include "process/list_update.h"

namespace k32 {

void TFormMain::RefreshCmdExecute() {
  {
    ListUpdate children(*ChildList);
    ListUpdate modules(*ModuleList);
    ChildList->Clear();
    ModuleList->Clear();
    ResortList(ChildList);
    ResortList(ModuleList);
  }
  // One snapshot serves the window owners and the process list, so both show the same moment.
  const std::vector<ProcessEntry> processes = services_.ProcessSnapshot();
  RefreshWindowList(processes);

  processCount = 0;
  const RememberedRow selected = RememberSelection(*ProcList, kPidColumn);
  FillProcessList(processes);
  SelectAgain(*ProcList, selected, kPidColumn);

  StatusBar->SetPanelText(0, "进程: " + std::to_string(processCount));
  StatusBar->SetPanelText(1, "顶层窗口: " + std::to_string(windowCount));
}

// A list whose column sorting is on is sorted again by its current column and direction; inside
// the list's update the sort waits for the update's end.
void TFormMain::ResortList(TMainListView* list) {
  if (list->AutoColumnSort() != acsNoSort) list->Resort();
}

}  // namespace k32
