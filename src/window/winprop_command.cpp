// The window properties command of the main window.
#include <windows.h>

#include "app/form_main.h"
#include "gui/application.h"
#include "window/form_winprop.h"

namespace k32 {

void TFormMain::WinPropCmdExecute() {
  // The command acts on the window list that has the keyboard focus, and on nothing otherwise.
  const WindowTarget target = Chosen().windowPage;
  if (!target.listFocused) return;
  if (!target.window) {
    gui::Application().MessageBox("没有选定项目。请选择一个要查看属性的项目。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const WindowId window = *target.window;
  if (!Services().IsWindow(window)) {
    gui::Application().MessageBox("指定的窗口不存在。请选择刷新按钮来刷新数据。", MB_OK | MB_ICONERROR);
    return;
  }
  TFormWinProp dialog(this, Services());
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) dialog.SetFormStyle(gui::TFormStyle::fsStayOnTop);
  dialog.Window = window;
  dialog.ShowModal();
}

}  // namespace k32
