// Reading and writing the main window's options: window bounds, stay on top, the refresh period,
// the confirmation and the report flags.
#include "app/settings_store.h"

#include "app/form_main.h"
#include "app/refresh_interval.h"
#include "gui/registry.h"

namespace k32 {

namespace {

struct ReportFlag {
  const char* name;
  bool Settings::*field;
};

// In the order they are read and written.
constexpr ReportFlag kReportFlags[] = {
    {"ProcID", &Settings::ProcID},     {"PProcID", &Settings::PProcID}, {"Threads", &Settings::Threads},
    {"Priority", &Settings::Priority}, {"Modules", &Settings::Modules}, {"Path", &Settings::Path},
    {"Handle", &Settings::Handle},     {"Size", &Settings::Size},
};

}  // namespace

void ApplyRefreshTimer(gui::TTimer& timer, const Settings& settings) {
  timer.SetInterval(RefreshIntervalMs(settings.Timer));
  timer.SetEnabled(settings.AutoRefresh);
}

// The first value that cannot be read ends the reading with its error; what was read stays applied.
// The size is kept as 96-DPI values, so that the window comes back as large on a display of another
// scale (versions that kept pixels wrote them at 96 DPI); the place is kept in screen pixels. Kept
// and read at 144 DPI, a size of 3n + 1 pixels comes back as 3n + 2 (their 96-DPI values are one).
void TFormMain::ReadReg() {
  settings = Settings{};
  gui::TRegistry registry(HKEY_CURRENT_USER);
  registry.OpenKey(kProgramKey, false);  // when it fails, the first read says so
  if (registry.ReadBool("StayOnTop")) OnTopCmd->Execute();
  SetBounds(Left(), registry.ReadInteger("Top"), Width(), Height());
  SetBounds(registry.ReadInteger("Left"), Top(), Width(), Height());
  // Each at the DPI of the place the window has by then.
  SetBounds(Left(), Top(), Scale(registry.ReadInteger("Width")), Height());
  SetBounds(Left(), Top(), Width(), Scale(registry.ReadInteger("Height")));
  settings.Timer = registry.ReadInteger("Timer");
  settings.AutoRefresh = registry.ReadBool("AutoRefresh");
  ApplyRefreshTimer(Timer, settings);
  settings.Confirm = registry.ReadBool("Confirm");
  // Kept since the tree came: a key without it is read as before.
  if (registry.ValueExists("TreeView") && registry.ReadBool("TreeView") != TreeCmd->Checked()) TreeCmd->Execute();
  registry.OpenKey(kReportKey, false);
  for (const ReportFlag& flag : kReportFlags) settings.*flag.field = registry.ReadBool(flag.name);
}

// The first value that cannot be written ends the writing with its error.
void TFormMain::WriteReg() {
  // Screen pixels as the system gives them. A minimised window's place is off screen: keep the place
  // it comes back to (the system's own record of it counts from the work area, not the screen).
  RECT bounds{Left(), Top(), Left() + Width(), Top() + Height()};
  if (HandleAllocated() && IsIconic(Handle()) && RestoredBounds().right > RestoredBounds().left)
    bounds = RestoredBounds();
  gui::TRegistry registry(HKEY_CURRENT_USER);
  registry.OpenKey(kProgramKey, true);
  registry.WriteInteger("Top", bounds.top);
  registry.WriteInteger("Left", bounds.left);
  registry.WriteInteger("Width", ScaleBetweenDpi(bounds.right - bounds.left, Dpi(), kDesignDpi));
  registry.WriteInteger("Height", ScaleBetweenDpi(bounds.bottom - bounds.top, Dpi(), kDesignDpi));
  registry.WriteBool("StayOnTop", OnTopCmd->Checked());
  registry.WriteInteger("Timer", settings.Timer);
  registry.WriteBool("AutoRefresh", settings.AutoRefresh);
  registry.WriteBool("Confirm", settings.Confirm);
  registry.WriteBool("TreeView", TreeCmd->Checked());
  registry.OpenKey(kReportKey, true);
  for (const ReportFlag& flag : kReportFlags) registry.WriteBool(flag.name, settings.*flag.field);
}

}  // namespace k32
