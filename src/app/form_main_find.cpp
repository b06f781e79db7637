// Finding things from the main window: the filter over the upper lists, the find-module window
// and the crosshair that picks a window on the screen.
#include <optional>
#include <string>

#include "app/form_main.h"
#include "gui/wide_text.h"
#include "common/cost_text.h"
#include "common/text.h"
#include "gui/application.h"
#include "window/window_picker.h"

namespace k32 {

namespace {

std::string CountText(const char* label, int shown, int all, bool filtered) {
  return std::string(label) + (filtered ? std::to_string(shown) + " / " : "") + std::to_string(all);
}

// Handle, class and title of the window under the crosshair, for the status bar.
std::string PickedWindowText(ISystemServices& services, WindowId window) {
  if (window == 0) return "";
  // The status bar speaks the program's code page: a character outside it shows as "?" there.
  return "句柄: " + SignedText(window) + "  窗口种类: " + gui::Narrow(services.WindowClassName(window)) +
         "  窗口标题: " + gui::Narrow(services.WindowTitle(window));
}

}  // namespace

void TFormMain::UpdateCounts() {
  const bool filtered = !FilterEdit->WideText().empty();
  StatusBar->SetPanelText(
      0, CountText("进程: ", processPage_->ShownCount(), processPage_->ProcessCount(), filtered));
  StatusBar->SetPanelText(
      1, CountText("顶层窗口: ", windowPage_->ShownCount(), windowPage_->WindowCount(), filtered));
  const std::optional<double> cpu = processPage_->TotalCpuShare();
  StatusBar->SetPanelText(3, cpu ? "CPU: " + CpuShareTotalText(*cpu) + "%" : "");
}

void TFormMain::FilterCmdExecute() {
  FilterEdit->SetFocus();
  SendMessageA(FilterEdit->Handle(), EM_SETSEL, 0, -1);
}

// One text for both pages, so that a page switch shows the same narrowing; only the shown page's
// list is rebuilt at each keystroke, the other one when it is shown.
void TFormMain::FilterEditChange() {
  const std::wstring text = FilterEdit->WideText();
  const bool processesShown = Notebook->PageIndex() == 0;
  processPage_->SetFilter(text, processesShown);
  windowPage_->SetFilter(text, !processesShown);
  UpdateCounts();
}

void TFormMain::FilterEditEscape() {
  FilterEdit->SetText("");
  FilterEditChange();
  TMainListView* list = Notebook->PageIndex() == 0 ? processPage_->ProcList() : windowPage_->WindowList();
  list->SetFocus();
}

void TFormMain::FindModuleCmdExecute() {
  if (!FormFindModule) {
    FormFindModule = std::make_unique<TFormFindModule>(this, services_);
    FormFindModule->OnChoose = [this](std::uint32_t processId, const std::wstring& path) {
      ShowFoundModule(processId, path);
    };
  }
  FormFindModule->Show();
}

void TFormMain::ShowFoundModule(std::uint32_t processId, const std::wstring& path) {
  ProcessesCmdExecute();
  if (!processPage_->SelectModule(processId, path)) {
    // Not shown: hidden by the filter, or started since the last refresh.
    if (!FilterEdit->WideText().empty()) FilterEdit->SetText("");  // the change applies the empty filter
    RefreshCmdExecute();
    if (!processPage_->SelectModule(processId, path)) return;
  }
  SetForegroundWindow(Handle());
  TMainListView* modules = processPage_->ModuleList();
  (modules->Selected() ? modules : processPage_->ProcList())->SetFocus();
}

void TFormMain::FindWindowCmdExecute() {
  std::optional<PickedWindow> picked;
  {
    // The window under the crosshair goes before any other status text until the drag ends.
    pickingText_.emplace();
    struct Done {
      std::optional<std::string>& text;
      ~Done() { text.reset(); }
    } done{pickingText_};
    picked = PickWindow(ToolBar1->Handle(), [this](WindowId under) {
      pickingText_ = PickedWindowText(services_, under);
      UpdateStatusText();
    });
  }
  UpdateStatusText();
  if (picked) ShowPickedWindow(picked->window, picked->topLevel);
}

void TFormMain::ShowPickedWindow(WindowId window, WindowId topLevel) {
  WindowsCmdExecute();
  if (!windowPage_->SelectWindow(topLevel, window)) {
    if (!FilterEdit->WideText().empty()) FilterEdit->SetText("");
    RefreshCmdExecute();
    if (!windowPage_->SelectWindow(topLevel, window)) return;
  }
  TMainListView* list = window != topLevel && windowPage_->ChildList()->Selected()
                            ? windowPage_->ChildList()
                            : windowPage_->WindowList();
  list->SetFocus();
}

}  // namespace k32
