// Opening the folder of the selected module in the system's file browser.
#include <windows.h>

#include <string>

#include "app/form_main.h"
#include "common/text.h"
#include "gui/application.h"

namespace k32 {

void TFormMain::ExplorerCmdExecute() {
  // From a menu the command may arrive while another list has the focus: then it does nothing.
  const std::optional<std::string> path = Chosen().processPage.modulePath;
  if (!path) return;
  const std::string folder = FolderPart(*path);
  // Fire and forget: whatever the shell makes of the folder is the shell's to show.
  gui::Application().Shell().Execute(Handle(), "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace k32
