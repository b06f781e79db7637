// Forms and controls of the class library: modal showing, dialog keys, dispatch errors, splitter,
// objects tied to their windows from the first message.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "gui/comctrls.h"
#include "gui/error.h"
#include "gui/form.h"
#include "gui/stdctrls.h"
#include "win/import_patch.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class Dialog : public gui::TForm {
 public:
  explicit Dialog(gui::TForm* owner) : TForm(owner) {
    BorderStyle = gui::TBorderStyle::bsDialog;
    Position = gui::TPosition::poOwnerFormCenter;
    SetCaption("对话框");
    SetClientSize(200, 100);
    ok = Add<gui::TButton>("确定");
    ok->SetBounds(10, 60, 75, 25);
    ok->ModalResult = gui::mrOk;
    ok->SetDefault(true);
    cancel = Add<gui::TButton>("取消");
    cancel->SetBounds(100, 60, 75, 25);
    cancel->ModalResult = gui::mrCancel;
    DefaultButton = ok;
    CancelButton = cancel;
  }
  gui::TButton* ok;
  gui::TButton* cancel;
};

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.SetCaption("owner");
    owner.SetBounds(100, 100, 400, 300);
    owner.Show();
  }
  void TearDown() override { gui::Application().OnModalShow = nullptr; }
  gui::TForm owner;
};

TEST_F(Forms, AModalFormDisablesItsOwnerAndReturnsTheResultOfTheButtonPressed) {
  Dialog dialog(&owner);
  bool ownerDisabled = false;
  gui::Application().OnModalShow = [&](gui::TForm& shown) {
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    EXPECT_EQ(&shown, &dialog);
    // Centred on its owner.
    RECT o{}, d{};
    GetWindowRect(owner.Handle(), &o);
    GetWindowRect(shown.Handle(), &d);
    EXPECT_NEAR((o.left + o.right) / 2, (d.left + d.right) / 2, 1);
    SendMessageA(dialog.ok->Handle(), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(dialog.ShowModal(), gui::mrOk);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_F(Forms, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  // Also while another window has the activation (a window of another program may take it between
  // the key and its handling): the key belongs to the form of the window it was sent to.
  for (const bool elsewhereActive : {false, true}) {
    for (const auto& [key, expected] :
         {std::pair{VK_RETURN, gui::mrOk}, std::pair{VK_ESCAPE, gui::mrCancel}}) {
      Dialog dialog(&owner);
      gui::TForm elsewhere;
      elsewhere.SetBounds(500, 400, 200, 100);
      gui::TTimer guard;  // ends a dialog the key did not close, so the test fails rather than waits
      guard.OnTimer = [&] { dialog.SetModalResult(IDABORT); };
      guard.SetInterval(5000);
      gui::Application().OnModalShow = [&, key = key](gui::TForm&) {
        gui::TButton* focused = key == VK_RETURN ? dialog.ok : dialog.cancel;
        focused->SetFocus();
        if (elsewhereActive) {
          elsewhere.Show();
          SetActiveWindow(elsewhere.Handle());
        }
        PostMessageA(focused->Handle(), WM_KEYDOWN, key, 1);
      };
      EXPECT_EQ(dialog.ShowModal(), expected)
          << key << (elsewhereActive ? " with another window active" : "");
    }
  }
}

TEST_F(Forms, TheCloseBoxOfAModalFormCancelsIt) {
  Dialog dialog(&owner);
  gui::Application().OnModalShow = [&](gui::TForm& shown) { PostMessageA(shown.Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(dialog.ShowModal(), gui::mrCancel);
}

BOOL WINAPI FailingGetMessage(MSG* msg, HWND, UINT, UINT) {
  msg->wParam = 0xBAD;  // whatever the failed call left there
  return -1;
}
WNDPROC listProc = nullptr;
LRESULT CALLBACK LengthlessSecondItem(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == LB_GETTEXTLEN && wparam == 1) return LB_ERR;
  return CallWindowProcA(listProc, window, message, wparam, lparam);
}

// A handler's error or a failed GetMessage ends the showing, the owner enabled and no quit made up;
// a list box item whose length the control does not give reads as empty.
TEST_F(Forms, ShowingsThatFailGiveTheOwnerBackAndListBoxItemsThatFailReadEmpty) {
  Dialog dialog(&owner);
  gui::Application().OnModalShow = [](gui::TForm&) { throw std::runtime_error("错误"); };
  EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()) && !IsWindowVisible(dialog.Handle()) && !dialog.Modal());
  gui::Application().OnModalShow = nullptr;
  {
    testing::ImportPatch fail("user32.dll", "GetMessageA", reinterpret_cast<void*>(&FailingGetMessage));
    EXPECT_EQ(dialog.ShowModal(), gui::mrCancel);
    EXPECT_EQ(gui::Application().Run(), 0);
  }
  MSG quit{};
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()) && !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

  auto* list = owner.Add<gui::TListBox>();
  for (const char* item : {"WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"}) list->Add(item);
  listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LengthlessSecondItem)));
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"WS_CHILD", "", "WS_TABSTOP"}));
  SetWindowLongPtrA(list->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
}

TEST_F(Forms, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
  testing::RecordingBoxes boxes;
  auto* button = owner.Add<gui::TButton>("按钮");
  int clicks = 0;
  button->OnClick = [&] {
    if (++clicks == 1) throw gui::EGuiError("无法打开剪贴板");
  };
  button->SetBounds(10, 10, 80, 25);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(boxes.shown.empty()) << "shown from the loop, not inside the failing handler";
  testing::Pump();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法打开剪贴板.");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(Forms, AFormMadeWithTheStayOnTopStyleIsTopmost) {
  for (const bool onTop : {true, false}) {
    Dialog dialog(&owner);
    dialog.SetFormStyle(onTop ? gui::TFormStyle::fsStayOnTop : gui::TFormStyle::fsNormal);
    dialog.HandleNeeded();
    EXPECT_EQ((GetWindowLongA(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, onTop);
  }
}

// What the program does with device contexts, in order: 'G' got, 'S' selected into, 'R' released.
std::vector<std::pair<char, HDC>> dcCalls;
decltype(&GetDCEx) realGetDCEx = nullptr;
decltype(&SelectObject) realSelectObject = nullptr;
decltype(&ReleaseDC) realReleaseDC = nullptr;

HDC WINAPI LoggedGetDCEx(HWND window, HRGN region, DWORD flags) {
  HDC dc = realGetDCEx(window, region, flags);
  dcCalls.emplace_back('G', dc);
  return dc;
}
HGDIOBJ WINAPI LoggedSelectObject(HDC dc, HGDIOBJ object) {
  dcCalls.emplace_back('S', dc);
  return realSelectObject(dc, object);
}
int WINAPI LoggedReleaseDC(HWND window, HDC dc) {
  dcCalls.emplace_back('R', dc);
  return realReleaseDC(window, dc);
}

TEST_F(Forms, DraggingTheSplitterResizesTheControlAboveItButNeverBelowOnePixel) {
  auto* upper = owner.Add<gui::TPanel>();
  upper->SetAlign(gui::TAlign::alTop);
  upper->SetHeight(100);
  auto* splitter = owner.Add<gui::TSplitter>(5);
  auto* lower = owner.Add<gui::TPanel>();
  lower->SetAlign(gui::TAlign::alClient);
  owner.HandleNeeded();
  upper->HandleNeeded();
  splitter->HandleNeeded();
  lower->HandleNeeded();
  owner.AlignControls();
  ASSERT_EQ(splitter->Top(), 100);
  {
    testing::ImportPatch get("user32.dll", "GetDCEx", reinterpret_cast<void*>(&LoggedGetDCEx));
    testing::ImportPatch select("gdi32.dll", "SelectObject", reinterpret_cast<void*>(&LoggedSelectObject));
    testing::ImportPatch release("user32.dll", "ReleaseDC", reinterpret_cast<void*>(&LoggedReleaseDC));
    realGetDCEx = get.Original<decltype(&GetDCEx)>();
    realSelectObject = select.Original<decltype(&SelectObject)>();
    realReleaseDC = release.Original<decltype(&ReleaseDC)>();
    SendMessageA(splitter->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
    SendMessageA(splitter->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 42));
    SendMessageA(splitter->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 42));
  }
  // The line is drawn with a brush of its own, which leaves each DC before the DC goes back.
  ASSERT_FALSE(dcCalls.empty());
  for (std::size_t i = 0; i < dcCalls.size(); ++i)
    for (std::size_t j = i + 1; dcCalls[i].first == 'R' && j < dcCalls.size() && dcCalls[j].first != 'G'; ++j)
      EXPECT_NE(dcCalls[j].second, dcCalls[i].second) << "selected into a DC after its release";
  EXPECT_EQ(upper->Height(), 140);
  EXPECT_EQ(lower->Top(), 145);
  SendMessageA(splitter->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
  SendMessageA(splitter->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, -500));
  SendMessageA(splitter->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, -500));
  EXPECT_EQ(upper->Height(), 1);
}

// Keeps the messages its window hands it.
template <typename Base>
class Recording : public Base {
 public:
  using Base::Base;
  std::vector<UINT> seen;

 protected:
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    seen.push_back(message);
    return Base::WndProc(message, wparam, lparam);
  }
};

TEST(Creation, OwnWindowsAndSystemControlsSeeTheirWholeCreation) {
  gui::TForm form;
  auto* panel = form.Add<Recording<gui::TPanel>>();
  auto* button = form.Add<Recording<gui::TButton>>("确定");
  form.HandleNeeded();
  for (const std::vector<UINT>* seen : {&panel->seen, &button->seen}) {
    ASSERT_FALSE(seen->empty());
    EXPECT_EQ(seen->front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_NE(std::find(seen->begin(), seen->end(), static_cast<UINT>(WM_CREATE)), seen->end());
  }
  char name[32] = {};
  GetClassNameA(button->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "Button");  // subclassed, not replaced
  EXPECT_EQ(gui::TControl::FromHandle(button->Handle()), button);
}

}  // namespace
}  // namespace k32
