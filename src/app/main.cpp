// Kestrel32: start-up, the message loop and the end.
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "app/form_main.h"
#include "app/form_settings.h"
#include "gui/application.h"
#include "system/win32_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto& application = k32::gui::Application();
  int exitCode = 0;
  try {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    application.Title = "Kestrel32";
    k32::Win32Services services;
    k32::TFormMain mainForm(services);
    mainForm.FormBusy = std::make_unique<k32::TFormBusy>(&mainForm);
    mainForm.FormBusy->HandleNeeded();
    application.SetMainForm(&mainForm);
    k32::TFormSettings settingsForm(mainForm, mainForm.settings,
                                    mainForm.Timer);  // made hidden with the main window and never shown
    exitCode = application.Run();
  } catch (const std::exception& error) {
    application.HandleException(error);
  } catch (...) {
    application.HandleException(std::runtime_error("未知错误"));
  }
  // What failed while the windows went (a list's settings that could not be stored) is told now
  // that they are gone: nothing of theirs can run inside these boxes.
  try {
    application.ShowPendingReports();
  } catch (...) {
  }
  return exitCode;
}
