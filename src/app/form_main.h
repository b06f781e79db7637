// The main window: two pages of lists, the commands, tool bars, menus, status bar and refresh timer.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "about/form_busy.h"
#include "common/settings.h"
#include "gui/actions.h"
#include "gui/comctrls.h"
#include "gui/filter_edit.h"
#include "gui/form.h"
#include "gui/listview.h"
#include "gui/menus.h"
#include "gui/toolbar.h"
#include "listview/ext_list_view.h"
#include "process/form_find_module.h"
#include "process/process_page.h"
#include "system/services.h"
#include "tray/systray.h"
#include "window/window_page.h"

namespace k32 {

// The class of the four lists.
using TMainListView = TdfsExtListView;

class TFormMain : public gui::TForm {
 public:
  explicit TFormMain(ISystemServices& services);
  ~TFormMain() override;

  // Handlers, in the order the window declares them.
  void WriteReg();
  void ReadReg();
  void miExitClick();
  void miAboutClick();
  void RefreshCmdExecute();
  void TerminateCmdExecute();
  void ApplicationEventsHint();
  void ProcessesCmdExecute();
  void WindowsCmdExecute();
  void WinPropCmdExecute();
  void FormShow() override;
  void OnTopCmdExecute();
  bool FormClose() override;
  void FormCreate();
  void HelpCmdExecute();
  void ReportCmdExecute();
  void ExplorerCmdExecute();
  void MenuPopup();
  void miQuillmarkSoftwareClick();
  void SettingsCmdExecute();
  void ApplicationEventsMinimize();
  void ApplicationEventsRestore();
  void SysTrayClick();
  void miRestoreClick();
  void tbCommandsClick();
  void tbViewClick();
  void tbHelpMeClick();
  void ProcListColumnClick(int column);
  void ModuleListColumnClick(int column);
  void WindowListColumnClick(int column);
  void ChildListColumnClick(int column);
  void FindModuleCmdExecute();
  void FindWindowCmdExecute();
  void FilterCmdExecute();
  void FilterEditChange();
  void FilterEditEscape();
  // A hit of the find window: the processes page, the process and its module selected.
  void ShowFoundModule(std::uint32_t processId, const std::wstring& path);
  // A window the crosshair picked: the windows page, its top-level window and the window selected.
  void ShowPickedWindow(WindowId window, WindowId topLevel);
  // Starts this program again with an administrator's rights; ends this one once that one started.
  void miRunAsAdminClick();
  void PauseCmdExecute();
  void TreeCmdExecute();
  // The selected row of the list that has the focus (else of the shown page's upper list), its shown
  // cells tab-separated, to the clipboard.
  void CopyCmdExecute();
  // The shown page's upper list as it shows, saved as CSV.
  void ExportCmdExecute();
  void TimerTimer();
  // The third status-bar panel: the window under the crosshair while it is dragged, else the hint
  // when there is one, else why the module list is empty, else what the window is doing.
  void UpdateStatusText();

  bool DialogChar(const MSG& msg) override;
  // Tab and Shift+Tab move between the lists; each list keeps its arrow keys.
  [[nodiscard]] bool IsDialog() const override { return true; }

  // State the window keeps besides its controls.
  Settings settings;
  std::wstring reportText;
  // Shown while a report is made; kept from start-up to the end.
  std::unique_ptr<TFormBusy> FormBusy;

  // Actions.
  gui::TActionList ActionList;
  gui::TAction* RefreshCmd;
  gui::TAction* TerminateCmd;
  gui::TAction* OnTopCmd;
  gui::TAction* WinPropCmd;
  gui::TAction* ProcessesCmd;
  gui::TAction* WindowsCmd;
  gui::TAction* ReportCmd;
  gui::TAction* ExplorerCmd;
  gui::TAction* SettingsCmd;
  gui::TAction* HelpCmd;
  gui::TAction* FindModuleCmd;
  gui::TAction* FindWindowCmd;
  gui::TAction* FilterCmd;
  gui::TAction* PauseCmd;  // checked: the timer takes no snapshots (not stored)
  gui::TAction* TreeCmd;   // checked: the processes as a tree (stored)
  gui::TAction* CopyCmd;
  gui::TAction* ExportCmd;

  // Image lists.
  gui::TImageList ImageList1;

  // Controls.
  gui::TCoolBar* CoolBar;
  gui::TToolBar* ToolBar1;
  gui::TToolBar* ToolBar2;
  gui::TNotebook* Notebook;
  gui::TSplitter* Splitter1;
  gui::TSplitter* Splitter2;
  gui::TStatusBar* StatusBar;
  gui::TFilterEdit* FilterEdit;
  // The 查找模块 window, made when first opened.
  std::unique_ptr<TFormFindModule> FormFindModule;

  // Popup menus.
  gui::TPopupMenu CommandsMenu{"CommandsMenu"};
  gui::TPopupMenu ViewMenu{"ViewMenu"};
  gui::TPopupMenu HelpMenu{"HelpMenu"};
  gui::TPopupMenu ProcMenu{"ProcMenu"};
  gui::TPopupMenu ModuleMenu{"ModuleMenu"};
  gui::TPopupMenu WindowMenu{"WindowMenu"};
  gui::TPopupMenu TrayMenu{"TrayMenu"};
  // The columns of the shown page's upper list, a submenu of 查看.
  gui::TPopupMenu ColumnsMenu{"ColumnsMenu"};

  gui::TTimer Timer;
  // The notification-area icon, there from start-up to exit.
  std::unique_ptr<TSysTray> SysTray{CreateSysTray()};

  [[nodiscard]] ISystemServices& Services() const { return services_; }
  // The pages, made with the window.
  [[nodiscard]] TProcessPage& ProcessPage() const { return *processPage_; }
  [[nodiscard]] TWindowPage& WindowPage() const { return *windowPage_; }

 protected:
  void ChangeScale(int oldDpi) override;

 private:
  void CreateActions();
  void CreateControls();
  void CreateMenus();
  void DropDown(gui::TToolButton* button, gui::TPopupMenu& menu);
  std::unique_ptr<TSysTray> CreateSysTray();
  // "进程: 9", or "进程: 3 / 9" (shown / all) while a filter is set; likewise the top-level windows.
  void UpdateCounts();
  // The upper list of the page shown, and the list that has the focus (else that upper list).
  TMainListView* ShownUpperList() const;
  TMainListView* ChosenList() const;

  // What the commands that act on a row act on is read when the user begins to choose a command (a
  // menu opens, a tool button goes down) and held by both pages until the choice is over; read at
  // once otherwise (keys).
  void HoldChosen();
  void ReleaseChosen();
  // One refresh when a timer tick passed while the window was hidden.
  void RefreshIfTickMissed();

  ISystemServices& services_;
  std::unique_ptr<TProcessPage> processPage_;
  std::unique_ptr<TWindowPage> windowPage_;
  bool tickWhileHidden_ = false;
  std::optional<std::string> pickingText_;  // set while the crosshair is dragged
};

}  // namespace k32
