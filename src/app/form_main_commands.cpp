// The main window's commands, each handed to the page or the dialog that does its work.
#include <memory>
#include <string>

#include "about/about_command.h"
#include "app/form_main.h"
#include "app/form_settings.h"
#include "common/text.h"
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

namespace {
// Empty when the system cannot say.
std::wstring CurrentFolder() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  if (folder.empty()) return folder;
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  folder.resize(length < folder.size() ? length : 0);
  return folder;
}
}  // namespace

// The same program, in the same folder, with the arguments it was given. The settings are stored
// first, for the new one to read; this one goes on when the user declines the system's question or
// the start fails.
void TFormMain::miRunAsAdminClick() {
  wchar_t program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::wstring folder = CurrentFolder();
  const std::wstring arguments(ArgumentsPart(GetCommandLineW()));
  WriteReg();
  const HINSTANCE started = gui::Application().Shell().Execute(
      Handle(), "runas", program, arguments.empty() ? nullptr : arguments.c_str(),
      folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) > 32) PostQuitMessage(0);
}

void TFormMain::miAboutClick() { ShowAboutBox(*this); }
void TFormMain::miQuillmarkSoftwareClick() { OpenMakerWebPage(Handle()); }

}  // namespace k32
