// The window properties command and dialog: what it shows of a window, its layout and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_main.h"
#include "system/win32_services.h"
#include "win/main_window_fixture.h"
#include "win/win_test_support.h"
#include "window/form_winprop.h"

namespace k32 {
namespace {

using Lines = std::vector<std::string>;

std::string WindowText(HWND window) {
  char text[300] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// What the dialog shows, read from its windows while it is open.
struct DialogView {
  std::string handle, className, title, instance, parent;
  std::string left, top, width, height;
  Lines styles, extendedStyles;
  bool topmost = false;
};

DialogView Read(TFormWinProp& dialog) {
  DialogView view;
  view.handle = WindowText(dialog.edHandle->Handle());
  view.className = WindowText(dialog.edClass->Handle());
  view.title = WindowText(dialog.edCaption->Handle());
  view.instance = WindowText(dialog.edAppInst->Handle());
  view.parent = WindowText(dialog.edParent->Handle());
  view.left = WindowText(dialog.lblLeft->Handle());
  view.top = WindowText(dialog.lblTop->Handle());
  view.width = WindowText(dialog.lblWidth->Handle());
  view.height = WindowText(dialog.lblHeight->Handle());
  view.styles = dialog.lbStyles->Items();
  view.extendedStyles = dialog.lbExStyles->Items();
  view.topmost = (GetWindowLongA(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  return view;
}

// Runs the action while a dialog is open, then closes it with OK.
class DialogHook {
 public:
  explicit DialogHook(std::function<void(TFormWinProp&)> act) {
    gui::Application().OnModalShow = [this, act](gui::TForm& form) {
      ++shown;
      if (auto* dialog = dynamic_cast<TFormWinProp*>(&form)) act(*dialog);
      form.SetModalResult(gui::mrOk);
    };
  }
  ~DialogHook() { gui::Application().OnModalShow = nullptr; }
  int shown = 0;
};

// Where a control stands inside its parent window, as the system has it.
RECT Placed(gui::TControl* control) {
  RECT rect{};
  GetWindowRect(control->Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};  // left, top, width, height
}

void ExpectPlaced(gui::TControl* control, LONG left, LONG top, LONG width, LONG height) {
  const RECT placed = Placed(control);
  EXPECT_EQ(placed.left, left) << control->Text();
  EXPECT_EQ(placed.top, top) << control->Text();
  EXPECT_EQ(placed.right, width) << control->Text();
  EXPECT_EQ(placed.bottom, height) << control->Text();
}

class WindowProperties : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    auto& top = services.AddWindow(0x2000);
    top.className = L"TProbeForm";
    top.title = L"探针 窗口";
    top.rect.reset();  // the rectangle query fails
    top.instance = 0x00400000;
    top.parentLong = 0;
    top.style = static_cast<std::int32_t>(0x00CF0000);
    top.exStyle = 0x00000188;
    auto& child = services.AddWindow(0x2010, 0x2000);
    child.className = L"Button";
    child.title = L"确定";
    child.rect = ScreenRect{-32000, -32000, -31840, -31970};
    child.instance = static_cast<std::int32_t>(0x80001000u);
    child.parentLong = 0x2000;
    child.style = 0x50010000;
    child.exStyle = 0;

    MainWindowTest::SetUp();
    form->WindowsCmdExecute();
    testing::Pump();
    form->WindowPage().WindowList()->SelectIndex(0);  // its descendants fill the child list
    ASSERT_EQ(form->WindowPage().WindowList()->Count(), 1);
    ASSERT_EQ(form->WindowPage().ChildList()->Count(), 1);
  }
};

TEST_F(WindowProperties, ShowsTheFocusedListsWindowWithDashesForAFailingRectangle) {
  DialogView view;
  DialogHook hook([&](TFormWinProp& dialog) { view = Read(dialog); });
  form->WindowPage().WindowList()->SetFocus();
  form->WinPropCmdExecute();
  ASSERT_EQ(hook.shown, 1);
  EXPECT_EQ(view.handle, "8192");
  EXPECT_EQ(view.className, "TProbeForm");
  EXPECT_EQ(view.title, "探针 窗口");
  EXPECT_EQ(view.instance, "4194304");
  EXPECT_EQ(view.parent, "0");
  EXPECT_EQ(view.left, "---");
  EXPECT_EQ(view.top, "---");
  EXPECT_EQ(view.width, "---");
  EXPECT_EQ(view.height, "---");
  EXPECT_EQ(view.styles, (Lines{"WS_BORDER", "WS_DLGFRAME", "WS_GROUP", "WS_MAXIMIZEBOX", "WS_OVERLAPPED",
                                "WS_OVERLAPPEDWINDOW", "WS_SIZEBOX", "WS_SYSMENU", "WS_TABSTOP",
                                "WS_THICKFRAME", "WS_TILED", "WS_TILEDWINDOW", "WS_THICKFRAME"}));
  EXPECT_EQ(view.extendedStyles,
            (Lines{"WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_PALETTEWINDOW", "WS_EX_RIGHTSCROLLBAR",
                   "WS_EX_TOOLWINDOW", "WS_EX_TOPMOST", "WS_EX_WINDOWEDGE"}));
  EXPECT_FALSE(view.topmost);

  // From the child list, with the main window on top: the child, and a dialog on top too.
  form->OnTopCmdExecute();
  form->WindowPage().ChildList()->SelectIndex(0);
  form->WindowPage().ChildList()->SetFocus();
  form->WinPropCmdExecute();
  ASSERT_EQ(hook.shown, 2);
  EXPECT_EQ(view.handle, "8208");
  EXPECT_EQ(view.className, "Button");
  EXPECT_EQ(view.instance, "-2147479552");
  EXPECT_EQ(view.parent, "8192");
  EXPECT_EQ(view.left, "-32000");
  EXPECT_EQ(view.top, "-32000");
  EXPECT_EQ(view.width, "160");
  EXPECT_EQ(view.height, "30");
  EXPECT_EQ(view.styles, (Lines{"WS_CHILD", "WS_CHILDWINDOW", "WS_MAXIMIZEBOX", "WS_OVERLAPPED", "WS_TABSTOP",
                                "WS_TILED", "WS_VISIBLE"}));
  EXPECT_EQ(view.extendedStyles, (Lines{"WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_RIGHTSCROLLBAR"}));
  EXPECT_TRUE(view.topmost);
}

TEST_F(WindowProperties, TellsWhenNothingIsSelectedOrTheWindowIsGoneAndIgnoresOtherFocus) {
  testing::RecordingBoxes boxes;
  DialogHook hook([](TFormWinProp&) {});

  // The focus elsewhere: nothing at all, even with rows selected.
  form->ProcessesCmdExecute();
  form->ProcessPage().ProcList()->SetFocus();
  form->WinPropCmdExecute();
  form->WindowsCmdExecute();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(hook.shown, 0);

  const std::string nothingSelected = "没有选定项目。请选择一个要查看属性的项目。";
  form->WindowPage().WindowList()->SelectIndex(-1);
  form->WindowPage().WindowList()->SetFocus();
  form->WinPropCmdExecute();
  form->WindowPage().ChildList()->SetFocus();
  form->WinPropCmdExecute();  // the child list has no selection either
  ASSERT_EQ(boxes.shown.size(), 2u);
  for (const auto& box : boxes.shown) {
    EXPECT_EQ(box.text, nothingSelected);
    EXPECT_EQ(box.caption, "Kestrel32");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  }

  // Rows of windows that closed since the last refresh.
  form->WindowPage().WindowList()->SelectIndex(0);
  form->WindowPage().ChildList()->SelectIndex(0);
  services.Vanish(0x2000);
  for (TMainListView* list : {form->WindowPage().ChildList(), form->WindowPage().WindowList()}) {
    list->SetFocus();
    form->WinPropCmdExecute();
  }
  ASSERT_EQ(boxes.shown.size(), 4u);
  for (std::size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(boxes.shown[i].text, "指定的窗口不存在。请选择刷新按钮来刷新数据。");
    EXPECT_EQ(boxes.shown[i].caption, "Kestrel32");
    EXPECT_EQ(boxes.shown[i].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_EQ(hook.shown, 0);
}

TEST_F(WindowProperties, DialogLayoutCaptionsTabOrderAndAccelerators) {
  bool checked = false;
  DialogHook hook([&](TFormWinProp& dialog) {
    checked = true;
    EXPECT_EQ(dialog.Caption(), "窗口属性");
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 473);
    EXPECT_EQ(client.bottom, 336);
    EXPECT_EQ(GetWindowLongA(dialog.Handle(), GWL_STYLE) & WS_THICKFRAME, 0);

    ExpectPlaced(dialog.gbGeneral, 8, 8, 329, 153);
    ExpectPlaced(dialog.gdSizePos, 344, 8, 121, 153);
    ExpectPlaced(dialog.gbStyles, 8, 168, 225, 129);
    ExpectPlaced(dialog.gbExStyles, 240, 168, 225, 129);
    ExpectPlaced(dialog.btnClose, 384, 304, 81, 25);
    ExpectPlaced(dialog.lbStyles, 16, 24, 193, 89);
    ExpectPlaced(dialog.lbExStyles, 16, 24, 193, 89);
    ExpectPlaced(dialog.edHandle, 72, 24, 241, 21);
    ExpectPlaced(dialog.edClass, 72, 48, 241, 21);
    ExpectPlaced(dialog.edCaption, 72, 72, 241, 21);
    ExpectPlaced(dialog.edAppInst, 144, 96, 169, 21);
    ExpectPlaced(dialog.edParent, 144, 120, 169, 21);
    EXPECT_EQ(dialog.gbGeneral->Text(), "常规");
    EXPECT_EQ(dialog.gdSizePos->Text(), "大小");
    EXPECT_EQ(dialog.gbStyles->Text(), "样式");
    EXPECT_EQ(dialog.gbExStyles->Text(), "扩展样式");
    EXPECT_EQ(dialog.btnClose->Text(), "关闭");
    EXPECT_TRUE(GetWindowLongA(dialog.btnClose->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    Lines labels;
    for (gui::TControl* control : dialog.gbGeneral->Controls())
      if (dynamic_cast<gui::TLabel*>(control)) labels.push_back(WindowText(control->Handle()));
    EXPECT_EQ(labels, (Lines{"句柄(&H):", "种类(&C):", "标题(&A):", "应用程序实例(&I):", "父级句柄(&P):"}));
    labels.clear();
    for (gui::TControl* control : dialog.gdSizePos->Controls()) {
      labels.push_back(WindowText(control->Handle()));
      if (control == dialog.lblLeft || control == dialog.lblWidth) {
        EXPECT_EQ(Placed(control).left, 80);
      }
    }
    EXPECT_EQ(labels, (Lines{"顶部:", "---", "左边:", "---", "高度:", "---", "宽度:", "---"}));

    // Read-only edits and unsorted lists, both in the button-face colour.
    for (gui::TEdit* edit :
         {dialog.edHandle, dialog.edClass, dialog.edCaption, dialog.edAppInst, dialog.edParent})
      EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(dialog.edParent->Handle(), EM_GETLIMITTEXT, 0, 0), 20);
    const auto face = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    HDC dc = GetDC(dialog.Handle());
    EXPECT_EQ(SendMessageA(dialog.gbGeneral->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(dialog.edClass->Handle())),
              face);
    EXPECT_EQ(SendMessageA(dialog.gbStyles->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(dialog.lbStyles->Handle())),
              face);
    ReleaseDC(dialog.Handle(), dc);
    // Item heights: Dpi.TheMainWindowAndEveryDialogAreLaidOutForTheDpi.
    for (gui::TListBox* list : {dialog.lbStyles, dialog.lbExStyles})
      EXPECT_EQ(GetWindowLongA(list->Handle(), GWL_STYLE) & LBS_SORT, 0);
    // The styles stand in table order, not sorted.
    EXPECT_EQ(dialog.lbStyles->Items().front(), "WS_BORDER");
    EXPECT_EQ(dialog.lbStyles->Items().back(), "WS_THICKFRAME");

    // Tab order is the order of the windows.
    std::vector<HWND> order;
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      order.push_back(child);
    EXPECT_EQ(order, (std::vector<HWND>{dialog.gbGeneral->Handle(), dialog.gbStyles->Handle(),
                                        dialog.gbExStyles->Handle(), dialog.btnClose->Handle(),
                                        dialog.gdSizePos->Handle()}));

    // Alt with a label's letter puts the focus into its edit.
    const std::pair<char, gui::TEdit*> accelerators[] = {{'P', dialog.edParent},
                                                         {'H', dialog.edHandle},
                                                         {'I', dialog.edAppInst},
                                                         {'C', dialog.edClass},
                                                         {'A', dialog.edCaption}};
    for (const auto& [letter, edit] : accelerators) {
      MSG msg{};
      msg.hwnd = dialog.Handle();
      msg.message = WM_SYSKEYDOWN;
      msg.wParam = static_cast<WPARAM>(letter);
      msg.lParam = 0x20000001;  // Alt held
      gui::Application().HandleMessage(msg);
      EXPECT_EQ(GetFocus(), edit->Handle()) << letter;
    }
  });
  form->WindowPage().WindowList()->SetFocus();
  form->WinPropCmdExecute();
  EXPECT_TRUE(checked);
}

// A real window of this process, read through the system's own services.
TEST(WindowPropertiesReal, ShowsARealWindowAndItsChildAndEnterCloses) {
  testing::RegisterProbeClass("K32PropertyProbe");
  HWND top =
      CreateWindowExA(0, "K32PropertyProbe", "属性探针", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CLIPSIBLINGS,
                      100, 120, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND child = CreateWindowExA(WS_EX_CLIENTEDGE, "K32PropertyProbe", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                               10, 20, 50, 40, top, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(top && child);
  POINT childCorner{10, 20};
  ClientToScreen(top, &childCorner);

  Win32Services services;
  const auto show = [&](HWND window, DialogView* view) {
    TFormWinProp dialog(nullptr, services);
    dialog.Window = static_cast<WindowId>(reinterpret_cast<UINT_PTR>(window));
    gui::Application().OnModalShow = [&](gui::TForm&) {
      *view = Read(dialog);
      PostMessageA(dialog.Handle(), WM_KEYDOWN, VK_RETURN, 1);
      PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);  // only if Enter did not close it
    };
    const int result = dialog.ShowModal();
    gui::Application().OnModalShow = nullptr;
    return result;
  };

  DialogView view;
  EXPECT_EQ(show(top, &view), gui::mrOk);
  EXPECT_EQ(view.handle, std::to_string(reinterpret_cast<UINT_PTR>(top)));
  EXPECT_EQ(view.className, "K32PropertyProbe");
  EXPECT_EQ(view.title, "属性探针");
  EXPECT_EQ(view.instance, std::to_string(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr))));
  EXPECT_EQ(view.parent, "0");
  EXPECT_EQ(view.left, "100");
  EXPECT_EQ(view.top, "120");
  EXPECT_EQ(view.width, "300");
  EXPECT_EQ(view.height, "200");
  EXPECT_EQ(view.styles, (Lines{"WS_BORDER", "WS_CLIPSIBLINGS", "WS_OVERLAPPED", "WS_POPUP", "WS_POPUPWINDOW",
                                "WS_SYSMENU", "WS_TILED"}));

  EXPECT_EQ(show(child, &view), gui::mrOk);
  EXPECT_EQ(view.className, "K32PropertyProbe");
  EXPECT_EQ(view.title, "");
  EXPECT_EQ(view.parent, std::to_string(reinterpret_cast<UINT_PTR>(top)));
  EXPECT_EQ(view.left, std::to_string(childCorner.x));
  EXPECT_EQ(view.top, std::to_string(childCorner.y));
  EXPECT_EQ(view.width, "50");
  EXPECT_EQ(view.height, "40");
  EXPECT_EQ(view.styles,
            (Lines{"WS_CHILD", "WS_CHILDWINDOW", "WS_OVERLAPPED", "WS_TILED", "WS_VISIBLE", "WS_VSCROLL"}));
  EXPECT_EQ(view.extendedStyles,
            (Lines{"WS_EX_CLIENTEDGE", "WS_EX_LEFT", "WS_EX_LTRREADING", "WS_EX_RIGHTSCROLLBAR"}));

  DestroyWindow(top);
}

}  // namespace
}  // namespace k32
