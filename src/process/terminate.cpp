// Ending the selected process, with the question first when the user asked for it.
#include <windows.h>

#include "app/form_main.h"
#include "gui/application.h"

namespace k32 {

void TFormMain::TerminateCmdExecute() {
  // Taken before the question: timer refreshes go on while it is open, and the row the user asked
  // about may be gone by then, another one selected in its place.
  const std::optional<std::uint32_t> processId = Chosen().processPage.process;
  if (!processId) {
    gui::Application().MessageBox("没有选定项目。请选择您想要终止的进程。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (settings.Confirm &&
      gui::Application().MessageBox("您确定要终止选定的进程吗？", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  TerminatePid(*processId);
}

void TFormMain::TerminatePid(std::uint32_t processId) {
  switch (Services().Terminate(processId)) {
    case TerminateOutcome::CannotOpen:
      gui::Application().MessageBox("无法终止请求的进程。拒绝访问。", MB_OK | MB_ICONERROR);
      break;
    case TerminateOutcome::Failed:
      gui::Application().MessageBox("无法终止指定的进程。", MB_OK | MB_ICONERROR);
      break;
    case TerminateOutcome::Terminated:
      break;
  }
  // Whatever happened, the lists show what is left now.
  RefreshCmdExecute();
}

}  // namespace k32
