// Main-window handlers whose work lands with its own subsystem; each one moves out of this file
// into its subsystem's source when that work is done.
#include "app/form_main.h"

namespace k32 {

void TFormMain::miAboutClick() {}
void TFormMain::ApplicationEventsMinimize() {}
void TFormMain::ApplicationEventsRestore() {}
void TFormMain::SysTrayClick() {}
void TFormMain::miRestoreClick() {}

}  // namespace k32
