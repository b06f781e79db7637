// The notification-area icon: the record the shell gets, the setters' rules, the animation, the
// shell's mouse messages.
#include "tray/systray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "win/recording_shell.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kWhite = RGB(255, 255, 255);

gui::TIcon Solid(COLORREF colour) { return gui::TIcon(testing::SolidIcon(colour)); }

void AddImage(gui::TImageList& list, COLORREF colour) {
  HICON icon = testing::SolidIcon(colour);
  ImageList_ReplaceIcon(list.Handle(), -1, icon);
  DestroyIcon(icon);
}

LRESULT Mouse(TSysTray& tray, UINT mouseMessage) {
  return SendMessageA(tray.Handle(), TSysTray::kCallbackMessage, 0, mouseMessage);
}

class SysTray : public ::testing::Test {
 protected:
  void TearDown() override {
    gui::TPopupMenu::TrackHook = nullptr;
    testing::Pump();
  }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    for (const auto& call : shell.notified) messages.push_back(call.message);
    return messages;
  }
  std::vector<COLORREF> Colours() const {
    std::vector<COLORREF> colours;
    for (const auto& call : shell.notified) colours.push_back(call.colour);
    return colours;
  }
  testing::RecordingShell shell;
};

TEST_F(SysTray, HandsTheShellTheFirstFormOfTheRecordFilledAnewForEveryCall) {
  TSysTray tray;
  tray.SetIcon(Solid(kRed));
  tray.SetToolTip("Kestrel32");
  EXPECT_TRUE(shell.notified.empty()) << "nothing goes to the shell while inactive";
  EXPECT_TRUE(tray.ModifyIcon()) << "inactive: nothing to change, and that is success";

  tray.SetActive(true);
  ASSERT_EQ(Messages(), std::vector<DWORD>{NIM_ADD});
  const TNotifyIconRecord& added = shell.notified[0].record;
  EXPECT_EQ(added.cbSize, sizeof(void*) == 8 ? 104u : 88u);
  EXPECT_EQ(added.hWnd, tray.Handle());
  EXPECT_TRUE(IsWindow(added.hWnd));
  EXPECT_FALSE(IsWindowVisible(added.hWnd));
  EXPECT_EQ(added.uID, 0u);
  EXPECT_EQ(added.uFlags, 7u);
  EXPECT_EQ(added.uCallbackMessage, 0x401u);
  EXPECT_EQ(added.hIcon, tray.Icon().Handle());
  EXPECT_EQ(shell.notified[0].colour, kRed);
  EXPECT_STREQ(added.szTip, "Kestrel32");

  tray.SetIcon(Solid(kBlue));
  tray.SetToolTip("");
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_MODIFY}));
  EXPECT_EQ(shell.notified[1].colour, kBlue);
  EXPECT_STREQ(shell.notified[1].record.szTip, "Kestrel32");
  EXPECT_STREQ(shell.notified[2].record.szTip, "");

  tray.SetActive(true);  // no change, no call
  tray.SetActive(false);
  ASSERT_EQ(Messages().back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shell.notified.back().record.hWnd, tray.Handle());
  EXPECT_EQ(shell.notified.size(), 4u);
  tray.SetActive(false);
  EXPECT_EQ(shell.notified.size(), 4u);
}

TEST_F(SysTray, ReportsWhatTheShellAnswers) {
  TSysTray tray;
  shell.answer = FALSE;
  EXPECT_FALSE(tray.AddIcon());
  tray.SetActive(true);
  EXPECT_FALSE(tray.ModifyIcon());
  EXPECT_FALSE(tray.DeleteIcon());
  shell.answer = TRUE;
  EXPECT_TRUE(tray.ModifyIcon());
}

TEST_F(SysTray, AnIconAddedWithoutATipGetsItOnceSetUpIsOver) {
  TSysTray tray;
  tray.SetActive(true);  // as a window's layout does: active first, the tip later
  tray.SetIcon(Solid(kGreen));
  ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
  shell.notified.clear();
  testing::Pump();
  ASSERT_EQ(Messages(), std::vector<DWORD>{NIM_MODIFY});
  EXPECT_EQ(shell.notified[0].colour, kGreen);
}

TEST_F(SysTray, IsRemovedWhenDestroyedActiveOnly) {
  HWND window = nullptr;
  {
    TSysTray tray;
    tray.SetActive(true);
    window = tray.Handle();
  }
  ASSERT_EQ(Messages().back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shell.notified.back().record.hWnd, window);
  EXPECT_FALSE(IsWindow(window));
  shell.notified.clear();
  { TSysTray tray; }
  EXPECT_TRUE(shell.notified.empty());
}

TEST_F(SysTray, ComesBackWhenTheShellRebuildsItsTaskBar) {
  TSysTray tray;
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  SendMessageA(tray.Handle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(shell.notified.empty()) << "an inactive icon stays away";
  tray.SetToolTip("tip");
  tray.SetActive(true);
  shell.notified.clear();
  SendMessageA(tray.Handle(), taskbarCreated, 0, 0);
  ASSERT_EQ(Messages(), std::vector<DWORD>{NIM_ADD});
  EXPECT_STREQ(shell.notified[0].record.szTip, "tip");
}

TEST_F(SysTray, TheRealShellTakesAddModifyAndDelete) {
  gui::Application().SetShell(nullptr);
  {
    TSysTray tray;
    tray.SetIcon(Solid(kRed));
    tray.SetToolTip("Kestrel32");
    EXPECT_TRUE(tray.AddIcon());
    tray.SetActive(true);
    tray.SetToolTip("Kestrel32 2.01");
    EXPECT_TRUE(tray.ModifyIcon());
    EXPECT_TRUE(tray.DeleteIcon());
  }
  gui::Application().SetShell(&shell);
  EXPECT_TRUE(shell.notified.empty());
}

TEST_F(SysTray, CutsTheTipAt62BytesAndNeverInsideACharacter) {
  TSysTray tray;
  tray.SetActive(true);
  const std::string long63(63, 'k');
  tray.SetToolTip(long63);
  EXPECT_EQ(tray.ToolTip(), long63.substr(0, 62));
  EXPECT_EQ(std::string(shell.notified.back().record.szTip), long63.substr(0, 62));

  const std::string ascii61(61, 'k');
  tray.SetToolTip(ascii61 + "进程");  // the first character's trail byte would be byte 63
  EXPECT_EQ(tray.ToolTip(), ascii61);
  EXPECT_EQ(std::string(shell.notified.back().record.szTip), ascii61);

  std::string chinese;
  for (int i = 0; i < 40; ++i) chinese += "进";
  tray.SetToolTip(chinese);
  EXPECT_EQ(tray.ToolTip(), chinese.substr(0, 62));
}

TEST_F(SysTray, TheVeryIconItHoldsSendsNothing) {
  TSysTray tray;
  tray.SetIcon(Solid(kRed));
  tray.SetActive(true);
  shell.notified.clear();
  tray.SetIcon(tray.Icon());
  EXPECT_TRUE(shell.notified.empty());

  const gui::TIcon other = Solid(kBlue);
  tray.SetIcon(other);
  ASSERT_EQ(Messages(), std::vector<DWORD>{NIM_MODIFY});
  EXPECT_EQ(shell.notified[0].colour, kBlue);
  EXPECT_NE(tray.Icon().Handle(), other.Handle()) << "the tray holds a copy of its own";
}

TEST_F(SysTray, AnimationIsRefusedWithoutImagesWithAnEmptyListOrWhileInactive) {
  TSysTray tray;
  tray.SetActive(true);
  tray.SetAnimate(true);
  EXPECT_FALSE(tray.Animate());
  EXPECT_FALSE(tray.AnimationTimer().Running());

  gui::TImageList empty;
  tray.SetImages(&empty);
  tray.SetAnimate(true);
  EXPECT_FALSE(tray.Animate());
  EXPECT_FALSE(tray.AnimationTimer().Running());

  gui::TImageList frames;
  AddImage(frames, kRed);
  tray.SetImages(&frames);
  tray.SetActive(false);
  tray.SetAnimate(true);
  EXPECT_FALSE(tray.Animate());
  EXPECT_FALSE(tray.AnimationTimer().Running());

  tray.SetActive(true);
  tray.SetAnimate(true);
  EXPECT_TRUE(tray.Animate());
  EXPECT_TRUE(tray.AnimationTimer().Running());
  tray.SetAnimate(false);
}

TEST_F(SysTray, ThreeFramesRunOneTwoZeroOneAndStoppingGivesBackTheIconOfTheStart) {
  gui::TImageList frames;
  for (COLORREF colour : {kRed, kGreen, kBlue}) AddImage(frames, colour);
  TSysTray tray;
  tray.SetImages(&frames);
  tray.SetIcon(Solid(kWhite));
  tray.SetActive(true);
  tray.SetAnimate(true);
  shell.notified.clear();
  for (int i = 0; i < 4; ++i) tray.ChangeIcon();
  EXPECT_EQ(Colours(), (std::vector<COLORREF>{kGreen, kBlue, kRed, kGreen}));

  tray.SetAnimate(true);  // asked again while running: the icon of the start is kept, not a frame
  tray.ChangeIcon();
  shell.notified.clear();
  tray.SetAnimate(false);
  EXPECT_FALSE(tray.AnimationTimer().Running());
  EXPECT_EQ(Colours(), std::vector<COLORREF>{kWhite});
  EXPECT_EQ(testing::IconColour(tray.Icon().Handle()), kWhite);
}

TEST_F(SysTray, StoppingAnAnimationThatNeverRanLeavesTheIconAlone) {
  TSysTray tray;
  tray.SetIcon(Solid(kRed));
  tray.SetActive(true);
  shell.notified.clear();
  tray.SetAnimate(false);
  EXPECT_TRUE(shell.notified.empty());
  EXPECT_EQ(testing::IconColour(tray.Icon().Handle()), kRed);
}

TEST_F(SysTray, StepsOnceASecondUntilItsIntervalIsAssigned) {
  gui::TImageList frames;
  for (COLORREF colour : {kRed, kGreen}) AddImage(frames, colour);
  TSysTray tray;
  tray.SetImages(&frames);
  tray.SetToolTip("tip");  // nothing else in the queue but the timer
  tray.SetActive(true);
  tray.SetAnimate(true);
  EXPECT_EQ(tray.AnimateInterval(), 100);
  EXPECT_EQ(tray.AnimationTimer().Interval(), 1000u);

  tray.SetAnimateInterval(0);
  tray.SetAnimateInterval(-5);
  EXPECT_EQ(tray.AnimateInterval(), 100);
  EXPECT_EQ(tray.AnimationTimer().Interval(), 1000u);

  tray.SetAnimateInterval(20);
  EXPECT_EQ(tray.AnimateInterval(), 20);
  EXPECT_EQ(tray.AnimationTimer().Interval(), 20u);
  EXPECT_TRUE(tray.AnimationTimer().Running());
  shell.notified.clear();
  testing::Pump(300);
  ASSERT_GE(shell.notified.size(), 2u) << "the timer steps the frames through the queue";
  EXPECT_EQ(shell.notified[0].colour, kGreen);
  EXPECT_EQ(shell.notified[1].colour, kRed);
  tray.SetAnimate(false);
}

TEST_F(SysTray, RemovingTheImageListStopsTheAnimationAndForgetsTheList) {
  auto frames = std::make_unique<gui::TImageList>();
  for (COLORREF colour : {kRed, kGreen, kBlue}) AddImage(*frames, colour);
  TSysTray tray;
  tray.SetIcon(Solid(kWhite));
  tray.SetImages(frames.get());
  tray.SetActive(true);
  tray.SetAnimate(true);
  tray.ChangeIcon();
  frames.reset();
  EXPECT_EQ(tray.Images(), nullptr);
  EXPECT_FALSE(tray.Animate());
  EXPECT_FALSE(tray.AnimationTimer().Running());
  EXPECT_EQ(testing::IconColour(tray.Icon().Handle()), kWhite);
  tray.ChangeIcon();  // a late tick finds no list and does nothing
  EXPECT_EQ(testing::IconColour(tray.Icon().Handle()), kWhite);

  // The other way round: a list that outlives the tray must not tell it anything.
  gui::TImageList survivor;
  {
    TSysTray shortLived;
    shortLived.SetImages(&survivor);
  }
}

TEST_F(SysTray, ALeftClickIsAClickAndADoubleClickIsClickDoubleClickClick) {
  TSysTray tray;
  std::string events;
  tray.OnClick = [&] { events += "click "; };
  tray.OnDblClick = [&] { events += "double "; };
  tray.OnRightClick = [&](TSysTray&, gui::TMouseButton, gui::TShiftState, int, int) { events += "right "; };
  EXPECT_EQ(Mouse(tray, WM_LBUTTONUP), 0);
  EXPECT_EQ(events, "click ");
  events.clear();
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(tray, message);
  EXPECT_EQ(events, "click double click ");
  events.clear();
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK})
    EXPECT_EQ(Mouse(tray, message), 0);
  EXPECT_EQ(events, "") << "moves and presses do nothing";

  tray.OnClick = nullptr;
  tray.OnDblClick = nullptr;
  Mouse(tray, WM_LBUTTONUP);
  Mouse(tray, WM_LBUTTONDBLCLK);
  EXPECT_EQ(events, "");
}

TEST_F(SysTray, ARightClickOpensTheMenuAtTheCursorThenRaisesItsEvent) {
  TSysTray tray;
  gui::TPopupMenu menu("TrayMenu");
  bool chosen = false;
  menu.Add({"miFirst", "第一项", nullptr, [&] { chosen = true; }});
  tray.PopupMenu = &menu;
  std::vector<std::string> order;
  POINT menuAt{-1, -1};
  HWND foreground = nullptr;
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& opened, HMENU, POINT point) -> UINT {
    EXPECT_EQ(&opened, &menu);
    order.push_back("menu");
    menuAt = point;
    foreground = GetForegroundWindow();
    return 1;
  };
  struct RightClick {
    gui::TMouseButton button;
    gui::TShiftState shift;
    int x, y;
  } seen{};
  tray.OnRightClick = [&](TSysTray& sender, gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
    EXPECT_EQ(&sender, &tray);
    order.push_back("event");
    seen = {button, shift, x, y};
  };
  SetCursorPos(300, 200);
  POINT cursor{};
  GetCursorPos(&cursor);
  // The menu opens from the loop: a message waiting meanwhile is not handled inside the click.
  bool inside = false, probeInside = false;
  gui::THiddenWindow probe([&](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER) probeInside = inside;
    return DefWindowProcA(window, message, wparam, lparam);
  });
  PostMessageA(probe.Handle(), WM_USER, 0, 0);
  inside = true;
  Mouse(tray, WM_RBUTTONUP);
  inside = false;
  EXPECT_TRUE(order.empty());
  testing::Pump();
  EXPECT_FALSE(probeInside);
  EXPECT_EQ(order, (std::vector<std::string>{"menu", "event"}));
  EXPECT_EQ(menuAt.x, cursor.x);
  EXPECT_EQ(menuAt.y, cursor.y);
  EXPECT_EQ(foreground, tray.Handle()) << "the menu's owner is brought forward first";
  EXPECT_TRUE(chosen);
  EXPECT_EQ(seen.button, gui::TMouseButton::mbRight);
  EXPECT_EQ(seen.shift, 0u);
  EXPECT_EQ(seen.x, cursor.x);
  EXPECT_EQ(seen.y, cursor.y);

  order.clear();
  tray.PopupMenu = nullptr;
  Mouse(tray, WM_RBUTTONUP);
  testing::Pump();
  EXPECT_EQ(order, std::vector<std::string>{"event"});
}

}  // namespace
}  // namespace k32
