// The report command: the report text from fresh snapshots while the busy window shows, then the
// report window.
#pragma once

#include <string>

#include "about/form_busy.h"
#include "common/settings.h"
#include "gui/form.h"
#include "system/services.h"

namespace k32 {

// Writes the report into reportText, with the items settings ask for, and shows it in a report
// window owned by owner (on top when owner is).
void ShowReport(gui::TForm& owner, ISystemServices& services, const Settings& settings, TFormBusy& busy,
                std::wstring& reportText);

}  // namespace k32
