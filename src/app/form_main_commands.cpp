// The main window's commands, each handed to the page or the dialog that does its work.
#include <memory>

#include "about/about_command.h"
#include "app/form_main.h"
#include "app/form_settings.h"
#include "gui/application.h"
#include "report/report_command.h"

namespace k32 {

void TFormMain::TerminateCmdExecute() { processPage_->Terminate(settings.Confirm); }
void TFormMain::ExplorerCmdExecute() { processPage_->OpenModuleFolder(Handle()); }
void TFormMain::WinPropCmdExecute() { windowPage_->ShowProperties(*this); }

void TFormMain::ReportCmdExecute() {
  if (!FormBusy) FormBusy = std::make_unique<TFormBusy>(this);
  ShowReport(*this, services_, settings, *FormBusy, reportText);
}

// Everything is applied by the dialog's OK handler; nothing is left to do once it closes.
void TFormMain::SettingsCmdExecute() {
  TFormSettings dialog(*this, settings, Timer);
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) dialog.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  dialog.ShowModal();
}

// The settings are stored first, for the new one to read; this one goes on when the user declines
// the system's question or the start fails.
void TFormMain::miRunAsAdminClick() {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  WriteReg();
  const HINSTANCE started = gui::Application().Shell().Execute(Handle(), "runas", program, nullptr,
                                                               folder[0] ? folder : nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) > 32) PostQuitMessage(0);
}

void TFormMain::miAboutClick() { ShowAboutBox(*this); }
void TFormMain::miQuillmarkSoftwareClick() { OpenMakerWebPage(Handle()); }

}  // namespace k32
