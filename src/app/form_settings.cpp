#include "app/form_settings.h"

#include <string>

#include "app/seconds_field.h"
#include "app/settings_store.h"
#include "gui/application.h"

namespace k32 {

namespace {

using Box = gui::TGroupBox* TFormSettings::*;
using Check = gui::TCheckBox* TFormSettings::*;

struct BoxRow {
  Box field;
  const char* caption;
  int left, top, width, height;
};

// In tab order.
constexpr BoxRow kBoxes[] = {
    {&TFormSettings::GroupBox1, "刷新", 8, 8, 273, 49},
    {&TFormSettings::GroupBox2, "确认", 8, 64, 273, 49},
    {&TFormSettings::GroupBox3, "报告包含", 8, 120, 273, 105},
};

struct CheckRow {
  Check field;
  Box box;
  const char* caption;
  int left, top, width, height;
  bool Settings::*setting;
};

// In tab order within each group; the path, handle and size items stand indented under the modules.
constexpr CheckRow kChecks[] = {
    {&TFormSettings::cbAutoRefresh, &TFormSettings::GroupBox1, "自动刷新每隔(&R)", 16, 20, 109, 17,
     &Settings::AutoRefresh},
    {&TFormSettings::cbConfirm, &TFormSettings::GroupBox2, "确认进程终止(&C)", 16, 20, 153, 17,
     &Settings::Confirm},
    {&TFormSettings::cbProcID, &TFormSettings::GroupBox3, "进程 ID(&P)", 16, 24, 105, 17, &Settings::ProcID},
    {&TFormSettings::cbPProcID, &TFormSettings::GroupBox3, "父级进程 ID(&A)", 16, 40, 105, 17,
     &Settings::PProcID},
    {&TFormSettings::cbThreadCount, &TFormSettings::GroupBox3, "线程数量(&T)", 16, 56, 105, 17,
     &Settings::Threads},
    {&TFormSettings::cbPriority, &TFormSettings::GroupBox3, "优先级(&I)", 16, 72, 105, 17,
     &Settings::Priority},
    {&TFormSettings::cbModules, &TFormSettings::GroupBox3, "相关模块(&N)", 150, 24, 105, 17,
     &Settings::Modules},
    {&TFormSettings::cbPath, &TFormSettings::GroupBox3, "路径(&H)", 168, 40, 81, 17, &Settings::Path},
    {&TFormSettings::cbHandle, &TFormSettings::GroupBox3, "句柄(&E)", 168, 56, 81, 17, &Settings::Handle},
    {&TFormSettings::cbSize, &TFormSettings::GroupBox3, "大小(&S)", 168, 72, 81, 17, &Settings::Size},
};

constexpr char kInvalidSeconds[] = "您在刷新设置中输入的是无效数值。";

}  // namespace

TFormSettings::TFormSettings(gui::TForm& owner, Settings& settings, gui::TTimer& timer)
    : gui::TForm(&owner), settings_(settings), timer_(timer) {
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetCaption("设置");
  SetClientSize(288, 271);

  for (const BoxRow& row : kBoxes) {
    gui::TGroupBox* box = Add<gui::TGroupBox>(row.caption);
    box->SetDesignBounds(row.left, row.top, row.width, row.height);
    this->*row.field = box;
  }
  for (const CheckRow& row : kChecks) {
    gui::TCheckBox* check = (this->*row.box)->Add<gui::TCheckBox>(row.caption);
    check->SetDesignBounds(row.left, row.top, row.width, row.height);
    check->SetChecked(row.field != &TFormSettings::cbAutoRefresh);  // as designed; FormShow replaces it
    this->*row.field = check;
  }
  edSec = GroupBox1->Add<gui::TEdit>("20");
  edSec->SetDesignBounds(129, 18, 33, 21);
  edSec->MaxLength = 3;
  Label1 = GroupBox1->Add<gui::TLabel>("秒");
  Label1->SetDesignBounds(168, 22, 0, 0);

  btnOK = Add<gui::TButton>("确定");
  btnOK->SetDesignBounds(128, 240, 75, 25);
  btnOK->SetDefault(true);
  // The handler decides the modal result: it keeps the dialog open on a bad entry.
  btnOK->OnClick = [this] { btnOKClick(); };
  btnCancel = Add<gui::TButton>("取消");
  btnCancel->SetDesignBounds(208, 240, 75, 25);
  btnCancel->ModalResult = gui::mrCancel;
  DefaultButton = btnOK;
  CancelButton = btnCancel;
}

void TFormSettings::FormShow() {
  const Settings& settings = settings_;
  edSec->SetText(std::to_string(settings.Timer));
  for (const CheckRow& row : kChecks) (this->*row.field)->SetChecked(settings.*row.setting);
}

// The dialog lives for one showing; whoever made it frees it once the showing ends.
bool TFormSettings::FormClose() { return true; }

void TFormSettings::btnOKClick() {
  SetModalResult(gui::mrOk);
  Settings& settings = settings_;
  // The check boxes count even when the seconds are then refused.
  for (const CheckRow& row : kChecks) settings.*row.setting = (this->*row.field)->Checked();
  const auto seconds = ParseSecondsField(edSec->Text());
  if (!seconds) {
    gui::Application().MessageBox(kInvalidSeconds, MB_OK | MB_ICONSTOP);
    SetModalResult(gui::mrNone);
    return;
  }
  settings.Timer = *seconds;
  ApplyRefreshTimer(timer_, settings);
}

}  // namespace k32
