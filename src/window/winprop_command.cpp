// The window properties command of the main window.
#include <windows.h>

#include "app/form_main.h"
#include "common/text.h"
#include "gui/application.h"
#include "window/form_winprop.h"

namespace k32 {

void TFormMain::WinPropCmdExecute() {
  // The command acts on the window list that has the keyboard focus, and on nothing otherwise.
  TMainListView* source = WindowList->Focused() ? WindowList : ChildList->Focused() ? ChildList : nullptr;
  if (source == nullptr) return;
  const gui::TListItem* item = source->Selected();
  if (item == nullptr) {
    gui::Application().MessageBox("没有选定项目。请选择一个要查看属性的项目。", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const WindowId window = ParseDecimalModulo32(item->Caption);
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
