// Where the main window's options live in the registry, and how they reach the refresh timer.
#pragma once

#include "common/settings.h"
#include "gui/comctrls.h"

namespace k32 {

// Under HKEY_CURRENT_USER; the leading backslash makes each path absolute from there.
inline constexpr char kProgramKey[] = "\\Software\\Tobin Quillmark\\Kestrel32";
inline constexpr char kReportKey[] = "\\Software\\Tobin Quillmark\\Kestrel32\\Report";
// Each list keeps its columns and sort under this path followed by its name and a backslash.
inline constexpr char kListsKey[] = "Software\\Tobin Quillmark\\Kestrel32\\2.0\\Lists\\";

// Interval from Timer, running exactly when AutoRefresh is on. Setting what the timer already has
// changes nothing, so an unchanged period does not restart the countdown.
void ApplyRefreshTimer(gui::TTimer& timer, const Settings& settings);

}  // namespace k32
