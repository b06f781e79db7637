#include "app/form_main.h"

#include <string>
#include <utility>
#include <vector>

#include "app/settings_store.h"
#include "common/cost_text.h"
#include "gui/application.h"

namespace k32 {

using gui::scAlt;
using gui::scCtrl;
using gui::TAction;
using gui::TAlign;

namespace {

struct ActionRow {
  const char* name;
  TAction* TFormMain::*field;
  const char* caption;
  const char* hint;
  gui::TShortCut shortcut;
  int image;
  void (TFormMain::*execute)();
};

const ActionRow kActions[] = {
    {"RefreshCmd", &TFormMain::RefreshCmd, "刷新列表", "刷新列表|刷新进程列表", VK_F5, 0,
     &TFormMain::RefreshCmdExecute},
    {"TerminateCmd", &TFormMain::TerminateCmd, "终止进程", "终止进程|终止选定的进程", VK_F2, 1,
     &TFormMain::TerminateCmdExecute},
    {"OnTopCmd", &TFormMain::OnTopCmd, "置于顶端(&S)", "", gui::scNone, -1, &TFormMain::OnTopCmdExecute},
    {"WinPropCmd", &TFormMain::WinPropCmd, "窗口属性...", "窗口属性|显示选定的窗口属性", scAlt | VK_RETURN, 2,
     &TFormMain::WinPropCmdExecute},
    {"ProcessesCmd", &TFormMain::ProcessesCmd, "进程(&P)", "显示进程", scCtrl | 'P', 6,
     &TFormMain::ProcessesCmdExecute},
    {"WindowsCmd", &TFormMain::WindowsCmd, "窗口(&W)", "显示窗口", scCtrl | 'W', 7,
     &TFormMain::WindowsCmdExecute},
    {"ReportCmd", &TFormMain::ReportCmd, "查看报告...", "查看报告|显示一个关于当前状态的报告", VK_F4, 3,
     &TFormMain::ReportCmdExecute},
    {"ExplorerCmd", &TFormMain::ExplorerCmd, "打开模块文件夹", "打开模块文件夹|打开选定模块的文件夹",
     gui::scNone, 4, &TFormMain::ExplorerCmdExecute},
    {"SettingsCmd", &TFormMain::SettingsCmd, "设置(&S)", "设置|更改应用程序设置", gui::scNone, -1,
     &TFormMain::SettingsCmdExecute},
    {"HelpCmd", &TFormMain::HelpCmd, "帮助主题(&H)...", "帮助主题|显示帮助主题", VK_F1, 5,
     &TFormMain::HelpCmdExecute},
    {"FindModuleCmd", &TFormMain::FindModuleCmd, "查找模块...", "查找模块|查找加载了某个模块的进程",
     scCtrl | gui::scShift | 'F', -1, &TFormMain::FindModuleCmdExecute},
    {"FindWindowCmd", &TFormMain::FindWindowCmd, "查找窗口", "查找窗口|拖动到任意窗口上以选定它", gui::scNone,
     8, &TFormMain::FindWindowCmdExecute},
    {"FilterCmd", &TFormMain::FilterCmd, "筛选(&F)", "筛选|只显示含有所输入文字的行", scCtrl | 'F', -1,
     &TFormMain::FilterCmdExecute},
    {"PauseCmd", &TFormMain::PauseCmd, "暂停自动刷新(&U)", "", VK_SPACE, -1, &TFormMain::PauseCmdExecute},
    {"TreeCmd", &TFormMain::TreeCmd, "树形视图(&T)", "树形视图|将每个进程显示在启动它的进程之下", scCtrl | 'T', -1,
     &TFormMain::TreeCmdExecute},
    {"CopyCmd", &TFormMain::CopyCmd, "复制(&C)", "复制|将选定的行复制到剪贴板", scCtrl | 'C', -1,
     &TFormMain::CopyCmdExecute},
    {"ExportCmd", &TFormMain::ExportCmd, "导出列表(&E)...", "导出列表|将显示的列表保存为 CSV 文件", gui::scNone, -1,
     &TFormMain::ExportCmdExecute},
};

struct ListLayout {
  const char* name;
  bool keepSelectionDrawn;
  struct Column {
    const char* caption;
    int width;
    int alignment;
    bool shown = true;
    bool cost = false;  // sorted by the number it reads, from the largest down at the first click
  } columns[kProcessColumns];
};

constexpr bool kHidden = false;

const ListLayout kLists[] = {
    {"ProcList",
     true,
     {{"可执行文件", 120, LVCFMT_LEFT},
      {"PID", 70, LVCFMT_LEFT},
      {"父级 PID", 70, LVCFMT_LEFT},
      {"线程", 70, LVCFMT_LEFT},
      {"优先级", 170, LVCFMT_LEFT},
      {"CPU", 50, LVCFMT_RIGHT, true, true},
      {"CPU 时间", 90, LVCFMT_RIGHT, kHidden, true},
      {"私有字节", 90, LVCFMT_RIGHT, true, true},
      {"工作集", 90, LVCFMT_RIGHT, true, true},
      {"句柄", 60, LVCFMT_RIGHT, kHidden, true},
      {"用户名", 120, LVCFMT_LEFT, kHidden},
      {"启动时间", 130, LVCFMT_LEFT, kHidden},
      {"命令行", 300, LVCFMT_LEFT, kHidden},
      {"描述", 160, LVCFMT_LEFT},
      {"公司", 140, LVCFMT_LEFT, kHidden},
      {"映像路径", 250, LVCFMT_LEFT, kHidden}}},
    {"ModuleList",
     false,
     {{"模块名称", 120, LVCFMT_LEFT},
      {"路径", 250, LVCFMT_LEFT},
      {"句柄 (定位)", kAddressColumnWidth, LVCFMT_LEFT},
      {"大小", 70, LVCFMT_RIGHT}}},
    {"WindowList",
     true,
     {{"句柄", 70, LVCFMT_LEFT},
      {"窗口种类", 150, LVCFMT_LEFT},
      {"窗口标题", 250, LVCFMT_LEFT},
      {"进程", 120, LVCFMT_LEFT}}},
    {"ChildList",
     false,
     {{"句柄", 70, LVCFMT_LEFT}, {"窗口种类", 150, LVCFMT_LEFT}, {"窗口标题", 250, LVCFMT_LEFT}}},
};

}  // namespace

TFormMain::TFormMain(ISystemServices& services)
    : ActionList([this] { return HandleAllocated() ? Handle() : nullptr; }), services_(services) {
  IsMainForm = true;
  SetCaption("Kestrel32");
  SetDesignSize(642, 455);
  ImageList1.SetSize(PictureSizeForDpi(Dpi()));
  ImageList1.AddMaskedResource("IMAGELIST1");

  CreateActions();
  CreateControls();
  CreateMenus();

  Timer.SetEnabled(false);
  Timer.SetInterval(20000);
  Timer.OnTimer = [this] { TimerTimer(); };

  gui::Application().OnHint = [this] { ApplicationEventsHint(); };
  gui::Application().OnMinimize = [this] { ApplicationEventsMinimize(); };
  gui::Application().OnRestore = [this] { ApplicationEventsRestore(); };

  // Before the first module snapshot: other users' and services' processes need the privilege.
  services_.EnableDebugPrivilege();
  HandleNeeded();
  // Tab order follows the windows' order: the filter field comes after the lists.
  SetWindowPos(CoolBar->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (TMainListView* list : {processPage_->ProcList(), processPage_->ModuleList(), windowPage_->WindowList(),
                              windowPage_->ChildList()})
    list->Loaded();
  FormCreate();
}

TFormMain::~TFormMain() {
  FormFindModule.reset();  // while the window that owns it still exists
  gui::Application().OnHint = nullptr;
  gui::Application().OnMinimize = nullptr;
  gui::Application().OnRestore = nullptr;
  DestroyHandle();
  // The tool buttons still watch the actions: they go before the action list does.
  DestroyControls();
}

void TFormMain::CreateActions() {
  for (const ActionRow& row : kActions) {
    TAction* action = ActionList.Add(row.name);
    action->SetCaption(row.caption);
    action->SetHint(row.hint);
    action->SetShortCut(row.shortcut);
    action->SetImageIndex(row.image);
    action->OnExecute = [this, execute = row.execute] { (this->*execute)(); };
    this->*row.field = action;
  }
  ProcessesCmd->SetChecked(true);
  WinPropCmd->SetVisible(false);
  FindWindowCmd->SetVisible(false);
}

void TFormMain::CreateControls() {
  CoolBar = Add<gui::TCoolBar>();
  ToolBar2 = CoolBar->Add<gui::TToolBar>(true);
  ToolBar2->Name = "ToolBar2";
  ToolBar2->AddTextButton("tbCommands", "命令(&C)", [this] { tbCommandsClick(); });
  ToolBar2->AddTextButton("tbView", "查看(&V)", [this] { tbViewClick(); });
  ToolBar2->AddTextButton("tbSettings", "设置(&S)", [this] { SettingsCmdExecute(); });
  ToolBar2->AddTextButton("tbHelpMe", "帮助(&H)", [this] { tbHelpMeClick(); });
  ToolBar1 = CoolBar->Add<gui::TToolBar>(false);
  ToolBar1->Name = "ToolBar1";
  ToolBar1->Images = ImageList1.Handle();
  ToolBar1->AddButton("ToolButton7", ProcessesCmd)->ShowHint = false;
  ToolBar1->AddButton("ToolButton8", WindowsCmd)->ShowHint = false;
  ToolBar1->AddSeparator(8);
  ToolBar1->AddButton("tbRefresh", RefreshCmd);
  ToolBar1->AddButton("tbTerminate", TerminateCmd);
  ToolBar1->AddButton("tbProperties", WinPropCmd);
  // The crosshair is dragged, not clicked: the press starts the drag.
  ToolBar1->AddButton("tbFindWindow", FindWindowCmd)->OnMouseDown = [this] { FindWindowCmd->Execute(); };
  ToolBar1->AddButton("tbReport", ReportCmd);
  ToolBar1->AddSeparator(8);
  ToolBar1->AddButton("tbHelp", HelpCmd);
  CoolBar->AddBand(ToolBar2, 21, 193);
  CoolBar->AddBand(ToolBar1, 22, 275);
  FilterEdit = CoolBar->Add<gui::TFilterEdit>("筛选 (Ctrl+F)");
  FilterEdit->Name = "FilterEdit";
  FilterEdit->OnChange = [this] { FilterEditChange(); };
  FilterEdit->OnEscape = [this] { FilterEditEscape(); };
  CoolBar->AddBand(FilterEdit, 22, 160);

  StatusBar = Add<gui::TStatusBar>(std::vector<int>{90, 135, gui::TStatusBar::kFill, 110});
  StatusBar->SetPanelText(0, "进程数: 0");
  StatusBar->SetPanelText(1, "顶层窗口: 0");

  Notebook = Add<gui::TNotebook>();
  Notebook->SetAlign(TAlign::alClient);
  gui::TPanel* pages[2] = {Notebook->AddPage("进程"), Notebook->AddPage("窗口")};
  TMainListView* lists[std::size(kLists)];

  for (std::size_t i = 0; i < std::size(kLists); ++i) {
    const ListLayout& row = kLists[i];
    gui::TPanel* page = pages[i / 2];
    const bool upper = i % 2 == 0;
    TMainListView* list = page->Add<TMainListView>();
    list->BeginLoading();
    list->Name = row.name;
    list->SaveSettings().AutoSave = true;
    list->SaveSettings().RegistryKey = std::string(kListsKey) + row.name + "\\";
    list->SetViewStyle(gui::vsReport);
    list->ReadOnly = true;
    list->HideSelection = !row.keepSelectionDrawn;
    list->SetExtendedStyles({lvxGridLines, lvxHeaderDragDrop, lvxFullRowSelect, lvxInfoTip});
    list->SetShowSortArrows(true);
    list->SetNoColumnResize(false);
    for (const auto& column : row.columns) {
      if (!column.caption) continue;
      list->AddColumn(column.caption, list->Scale(column.width), column.alignment);
      const int index = list->ColumnCount() - 1;
      if (!column.shown) list->SetColumnVisible(index, false);
      if (column.cost) {
        list->SetColumnNumber(index, &ReadCostNumber);
        list->SetColumnDescendingFirst(index, true);
      }
    }
    if (upper) {
      list->SetAlign(TAlign::alTop);
      list->SetDesignBounds(0, 0, 0, 207);
      page->Add<gui::TSplitter>(5);
    } else {
      list->SetAlign(TAlign::alClient);
    }
    lists[i] = list;
  }
  Splitter1 = static_cast<gui::TSplitter*>(pages[0]->Controls()[1]);
  Splitter2 = static_cast<gui::TSplitter*>(pages[1]->Controls()[1]);

  processPage_ =
      std::make_unique<TProcessPage>(*lists[0], *lists[1], services_, [this] { RefreshCmdExecute(); });
  windowPage_ = std::make_unique<TWindowPage>(*lists[2], *lists[3], services_);
  processPage_->SetPictureSize(ImageList1.Size());
  windowPage_->SetPictureSize(ImageList1.Size());
  processPage_->OnModuleListReason = [this] { UpdateStatusText(); };
  lists[0]->OnColumnClick = [this](int column) { ProcListColumnClick(column); };
  lists[1]->OnColumnClick = [this](int column) { ModuleListColumnClick(column); };
  lists[2]->OnColumnClick = [this](int column) { WindowListColumnClick(column); };
  lists[3]->OnColumnClick = [this](int column) { ChildListColumnClick(column); };
  for (gui::TToolBar* bar : {ToolBar1, ToolBar2}) {
    bar->OnPress = [this] { HoldChosen(); };
    bar->OnRelease = [this] { ReleaseChosen(); };
  }
  lists[0]->PopupMenu = &ProcMenu;
  lists[1]->PopupMenu = &ModuleMenu;
  lists[2]->PopupMenu = &WindowMenu;
  lists[3]->PopupMenu = &WindowMenu;
}

namespace {

using Menu = gui::TMenuRow<TFormMain>;
using M = TFormMain;

// In each menu, items top to bottom.
const Menu kMenus[] = {
    {&M::CommandsMenu, "miRefreshList", nullptr, &M::RefreshCmd},
    {&M::CommandsMenu, "miTerminateProcess", nullptr, &M::TerminateCmd},
    {&M::CommandsMenu, "miWindowProperties", nullptr, &M::WinPropCmd},
    {&M::CommandsMenu, "miViewReport", nullptr, &M::ReportCmd},
    {&M::CommandsMenu, "miExportList", nullptr, &M::ExportCmd},
    {&M::CommandsMenu, "miOpenModuleFolder", nullptr, &M::ExplorerCmd},
    {&M::CommandsMenu, "miFindModule", nullptr, &M::FindModuleCmd},
    {&M::CommandsMenu, "", "-"},
    {&M::CommandsMenu, "miRunAsAdmin", "以管理员身份重新启动(&A)", nullptr, &M::miRunAsAdminClick},
    {&M::CommandsMenu, "miExit", "退出(&X)", nullptr, &M::miExitClick, VK_ESCAPE},

    {&M::ViewMenu, "miProcesses", nullptr, &M::ProcessesCmd},
    {&M::ViewMenu, "miWindows", nullptr, &M::WindowsCmd},
    {&M::ViewMenu, "miFilter", nullptr, &M::FilterCmd},
    {&M::ViewMenu, "miColumns", "列(&L)"},
    {&M::ViewMenu, "miTreeView", nullptr, &M::TreeCmd},
    {&M::ViewMenu, "", "-"},
    {&M::ViewMenu, "miStayonTop", nullptr, &M::OnTopCmd},
    {&M::ViewMenu, "miPauseRefresh", nullptr, &M::PauseCmd},

    {&M::HelpMenu, "miHelpTopics", nullptr, &M::HelpCmd},
    {&M::HelpMenu, "miQuillmarkSoftware", "Quillmark 软件"},
    {&M::HelpMenu, "", "-"},
    {&M::HelpMenu, "miAbout", "关于(&A)...", nullptr, &M::miAboutClick},

    {&M::ProcMenu, "TerminateProcess1", nullptr, &M::TerminateCmd},
    {&M::ProcMenu, "RefreshList1", nullptr, &M::RefreshCmd},
    {&M::ProcMenu, "CopyRow1", nullptr, &M::CopyCmd},

    {&M::ModuleMenu, "OpeninWindowsExplorer2", nullptr, &M::ExplorerCmd},
    {&M::ModuleMenu, "RefreshList2", nullptr, &M::RefreshCmd},
    {&M::ModuleMenu, "CopyRow2", nullptr, &M::CopyCmd},

    {&M::WindowMenu, "WindowProperties2", nullptr, &M::WinPropCmd},
    {&M::WindowMenu, "RefreshList3", nullptr, &M::RefreshCmd},
    {&M::WindowMenu, "CopyRow3", nullptr, &M::CopyCmd},

    {&M::TrayMenu, "miRestore", "最小化(&M)", nullptr, &M::miRestoreClick, gui::scNone, true},
    {&M::TrayMenu, "", "-"},
    {&M::TrayMenu, "HelpTopics1", "帮助主题(&H)...", nullptr, &M::HelpCmdExecute, gui::scNone, false,
     "帮助主题|显示帮助主题"},
    {&M::TrayMenu, "", "-"},
    {&M::TrayMenu, "Exit1", "退出(&X)", nullptr, &M::miExitClick},
};

}  // namespace

void TFormMain::CreateMenus() {
  for (gui::TPopupMenu* menu : {&CommandsMenu, &HelpMenu, &ProcMenu, &ModuleMenu, &WindowMenu})
    menu->Images = ImageList1.Handle();
  for (gui::TPopupMenu* menu : {&CommandsMenu, &ProcMenu, &ModuleMenu, &WindowMenu}) {
    menu->OnPopup = [this] { HoldChosen(); };
    menu->OnClose = [this] { ReleaseChosen(); };
  }

  gui::BuildMenus(*this, kMenus);
  ViewMenu.Find("miColumns")->SubMenu = &ColumnsMenu;
  ViewMenu.OnPopup = [this] { ShownUpperList()->FillColumnMenu(ColumnsMenu); };
  CommandsMenu.Find("miRunAsAdmin")->SetVisible(!services_.Elevated());
  ModuleMenu.OnPopup = [this] {
    MenuPopup();
    HoldChosen();  // last: the menu closes, and releases it, only when this has held
  };
}

// The pictures of the new size go in first: the tool bar, lists and menus measure by them.
void TFormMain::ChangeScale(int oldDpi) {
  ImageList1.SetSize(PictureSizeForDpi(Dpi()));
  processPage_->SetPictureSize(ImageList1.Size());
  windowPage_->SetPictureSize(ImageList1.Size());
  gui::TForm::ChangeScale(oldDpi);
}

void TFormMain::FormCreate() {
  SetBounds(Left(), 10, Width(), Height());
  SetBounds(10, Top(), Width(), Height());
  try {
    ReadReg();
  } catch (const std::exception& error) {
    gui::Application().HandleException(error);
  }
}

void TFormMain::FormShow() { RefreshCmdExecute(); }

// Every list of both pages brought up to date, the selections and the user's place kept, the counts
// shown.
void TFormMain::RefreshCmdExecute() {
  // One snapshot serves the window owners and the process list, so both show the same moment.
  const std::vector<ProcessEntry> processes = services_.ProcessSnapshot();
  windowPage_->RefreshWindowList(processes);
  processPage_->Refresh(processes);
  UpdateCounts();
}

bool TFormMain::FormClose() {
  WriteReg();
  return true;
}

void TFormMain::miExitClick() { PostQuitMessage(0); }

void TFormMain::ProcessesCmdExecute() {
  ProcessesCmd->SetChecked(true);
  WindowsCmd->SetChecked(false);
  Notebook->SetPageIndex(0);
  processPage_->ShowFilter();
  TerminateCmd->SetVisible(true);
  TerminateCmd->SetEnabled(true);
  ReportCmd->SetVisible(true);
  WinPropCmd->SetVisible(false);
  WinPropCmd->SetEnabled(false);
  FindWindowCmd->SetVisible(false);
}

void TFormMain::WindowsCmdExecute() {
  ProcessesCmd->SetChecked(false);
  WindowsCmd->SetChecked(true);
  Notebook->SetPageIndex(1);
  windowPage_->ShowFilter();
  TerminateCmd->SetVisible(false);
  TerminateCmd->SetEnabled(false);
  ReportCmd->SetVisible(false);
  WinPropCmd->SetVisible(true);
  WinPropCmd->SetEnabled(true);
  FindWindowCmd->SetVisible(true);
}

void TFormMain::OnTopCmdExecute() {
  OnTopCmd->SetChecked(!OnTopCmd->Checked());
  SetFormStyle(OnTopCmd->Checked() ? gui::TFormStyle::fsStayOnTop : gui::TFormStyle::fsNormal);
}

void TFormMain::DropDown(gui::TToolButton* button, gui::TPopupMenu& menu) {
  const RECT rect = button->Rect();
  POINT corner{rect.left, rect.bottom};  // the button's bottom-left corner
  ClientToScreen(ToolBar2->Handle(), &corner);
  menu.Popup(corner.x, corner.y, Handle());
}

void TFormMain::tbCommandsClick() { DropDown(ToolBar2->Find("tbCommands"), CommandsMenu); }
void TFormMain::tbViewClick() { DropDown(ToolBar2->Find("tbView"), ViewMenu); }
void TFormMain::tbHelpMeClick() { DropDown(ToolBar2->Find("tbHelpMe"), HelpMenu); }

bool TFormMain::DialogChar(const MSG& msg) {
  if (msg.wParam < 'A' || msg.wParam > 'Z') return false;
  gui::TToolButton* button = ToolBar2->ButtonForAccelerator(static_cast<char>(msg.wParam));
  if (!button) return false;
  button->Click();
  return true;
}

void TFormMain::HoldChosen() {
  processPage_->HoldTargets();
  try {
    windowPage_->HoldTarget();
  } catch (...) {
    processPage_->ReleaseTargets();  // a failed hold leaves nothing to release
    throw;
  }
}

void TFormMain::ReleaseChosen() {
  processPage_->ReleaseTargets();
  windowPage_->ReleaseTarget();
}

void TFormMain::ApplicationEventsHint() { UpdateStatusText(); }

void TFormMain::UpdateStatusText() {
  const std::string& hint = gui::Application().Hint();
  if (pickingText_)
    StatusBar->SetPanelText(2, *pickingText_);
  else if (!hint.empty())
    StatusBar->SetPanelText(2, hint);
  else if (!processPage_->ModuleListReason().empty())
    StatusBar->SetPanelText(2, processPage_->ModuleListReason());
  else
    StatusBar->SetPanelText(2, PauseCmd->Checked() ? "自动刷新已暂停" : "");
}

void TFormMain::TreeCmdExecute() {
  TreeCmd->SetChecked(!TreeCmd->Checked());
  processPage_->SetTree(TreeCmd->Checked());
}

void TFormMain::PauseCmdExecute() {
  PauseCmd->SetChecked(!PauseCmd->Checked());
  UpdateStatusText();
}

// No snapshot while paused, nor while nobody can see the lists: a window shown again refreshes once.
void TFormMain::TimerTimer() {
  if (PauseCmd->Checked()) return;
  if (gui::Application().Minimized() || IsIconic(Handle()) || !IsWindowVisible(Handle())) {
    tickWhileHidden_ = true;
    return;
  }
  RefreshCmdExecute();
}

void TFormMain::RefreshIfTickMissed() {
  if (!std::exchange(tickWhileHidden_, false)) return;
  RefreshCmdExecute();
}

void TFormMain::MenuPopup() { ExplorerCmd->SetEnabled(processPage_->ModuleList()->Selected() != nullptr); }

void TFormMain::HelpCmdExecute() {
  using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  static HMODULE library = LoadLibraryA("hhctrl.ocx");
  if (!library) return;
  auto htmlHelp =
      reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
  if (htmlHelp) htmlHelp(nullptr, "kestrel.chm", 0, 0);
}

}  // namespace k32
