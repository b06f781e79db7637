// Ending a process: the question, the messages, the refresh afterwards, and real processes ended.
#include <gtest/gtest.h>

#include <string>

#include "app/form_main.h"
#include "listview/list_update.h"
#include "system/win32_services.h"
#include "win/main_window_fixture.h"
#include "win/test_child_process.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

const char kNothingSelected[] = "没有选定项目。请选择您想要终止的进程。";
const char kQuestion[] = "您确定要终止选定的进程吗？";
const char kCannotOpen[] = "无法终止请求的进程。拒绝访问。";
const char kFailed[] = "无法终止指定的进程。";

void ExpectBox(const testing::ShownBox& box, const std::string& text, UINT flags) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.caption, "Kestrel32");
  EXPECT_EQ(box.flags, flags);
}

class Termination : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    services.AddProcess(L"A.EXE", 10).AddProcess(L"B.EXE", 20).AddProcess(L"C.EXE", 30);
    MainWindowTest::SetUp();
    form->ProcessPage().ProcList()->SelectIndex(1);
    ASSERT_EQ(form->ProcessPage().SelectedPid(), 20u);
    MarkRefresh();
  }
  // The refresh writes the process count again; the mark shows whether one ran since.
  void MarkRefresh() { testing::MarkRefresh(*form); }
  bool Refreshed() const { return testing::Refreshed(*form); }

  testing::RecordingBoxes boxes;
};

TEST_F(Termination, WithoutASelectedRowItTellsAndDoesNothingElse) {
  form->ProcessPage().ProcList()->SelectIndex(-1);
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 1u);
  ExpectBox(boxes.shown[0], kNothingSelected, MB_OK | MB_ICONINFORMATION);
  EXPECT_TRUE(services.terminations.empty());
  EXPECT_FALSE(Refreshed());
}

TEST_F(Termination, NoToTheQuestionLeavesEverythingAsItWas) {
  form->settings.Confirm = true;
  boxes.answers = {IDNO};
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 1u);
  ExpectBox(boxes.shown[0], kQuestion, MB_YESNO | MB_ICONQUESTION);
  EXPECT_TRUE(services.terminations.empty());
  EXPECT_FALSE(Refreshed());
  EXPECT_EQ(form->ProcessPage().ProcList()->Count(), 3);
  // Closing the box any other way than Yes counts as No.
  boxes.answers = {IDCANCEL};
  form->TerminateCmdExecute();
  EXPECT_TRUE(services.terminations.empty());
  EXPECT_FALSE(Refreshed());
}

TEST_F(Termination, EachFailureHasItsTextAndIsFollowedByARefresh) {
  form->settings.Confirm = true;
  services.terminateOutcomes[20] = TerminateOutcome::Failed;
  boxes.answers = {IDYES};
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 2u);
  ExpectBox(boxes.shown[0], kQuestion, MB_YESNO | MB_ICONQUESTION);
  ExpectBox(boxes.shown[1], kFailed, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(Refreshed());
  MarkRefresh();

  form->settings.Confirm = false;
  services.terminateOutcomes[20] = TerminateOutcome::CannotOpen;
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 3u);
  ExpectBox(boxes.shown[2], kCannotOpen, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(Refreshed());
  EXPECT_EQ(services.terminations, (std::vector<std::uint32_t>{20})) << "nothing to end once it cannot be opened";
}

// A timer refresh while the question is open: the one the user was asked about is the one that ends.
TEST_F(Termination, ARefreshWhileTheQuestionIsOpenDoesNotChangeTheTarget) {
  form->settings.Confirm = true;
  boxes.answers = {IDYES};
  boxes.OnShow = [&](testing::ShownBox box) {
    if (box.text != kQuestion) return;
    services.processes.insert(services.processes.begin() + 1, {L"NEW.EXE", 15, 0, 1});
    form->RefreshCmdExecute();
  };
  form->TerminateCmdExecute();
  EXPECT_EQ(services.terminations, (std::vector<std::uint32_t>{20}));
  EXPECT_EQ(boxes.shown.size(), 1u);
  // B's row stays, marked gone and selected, after the refresh that follows; at the next one its
  // position, 2 since the newcomer came, holds C.
  ASSERT_EQ(form->ProcessPage().ProcList()->Count(), 4);
  EXPECT_TRUE(IsGone(form->ProcessPage().ProcList()->Item(2)));
  form->RefreshCmdExecute();
  ASSERT_EQ(form->ProcessPage().ProcList()->Count(), 3);
  EXPECT_EQ(form->ProcessPage().ProcList()->SelectedIndex(), 2);
  EXPECT_EQ(form->ProcessPage().SelectedPid(), 30u);
}

// B ends and the system gives its identifier to a new process, before the command or while its
// question is open: the new process is never ended, and is a row of its own.
TEST_F(Termination, AProcessThatTookTheChosenOnesIdentifierIsNeverEnded) {
  const auto takeBsIdentifier = [&] {
    services.processes.erase(services.processes.begin() + 1);
    services.AddProcess(L"NEW.EXE", 20);
  };
  form->settings.Confirm = false;
  takeBsIdentifier();
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 1u);
  ExpectBox(boxes.shown[0], kCannotOpen, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(Refreshed());
  const gui::TListView& list = *form->ProcessPage().ProcList();
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Item(1)->Caption + L" " + list.Item(1)->SubItems[0], L"B.EXE 20");
  EXPECT_TRUE(IsGone(list.Item(1)));
  EXPECT_EQ(list.Item(3)->Caption + L" " + list.Item(3)->SubItems[0], L"NEW.EXE 20");
  EXPECT_EQ(list.Item(3)->Mark, gui::TRowMark::rmNew);

  form->settings.Confirm = true;
  form->ProcessPage().ProcList()->SelectIndex(3);
  boxes.answers = {IDYES};
  boxes.OnShow = [&](testing::ShownBox box) {
    if (box.text != kQuestion) return;
    services.processes.pop_back();  // NEW ends: its identifier goes to yet another process
    services.AddProcess(L"OTHER.EXE", 20);
  };
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 3u);
  ExpectBox(boxes.shown[2], kFailed, MB_OK | MB_ICONERROR);
  ASSERT_EQ(services.processes.size(), 3u);
  EXPECT_EQ(services.processes.back().exeFile, L"OTHER.EXE");
}

// The process the user chose stays the target while a menu is open or a tool button held down,
// whatever a timer refresh selects meanwhile.
TEST_F(Termination, FromAMenuOrAToolButtonItEndsTheRowOfWhenTheChoiceBegan) {
  form->settings.Confirm = false;
  // With the menu open, B ends and a refresh selects C, now at B's position.
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu&, HMENU, POINT) -> UINT {
    services.processes.erase(services.processes.begin() + 1);
    form->RefreshCmdExecute();
    return 1;  // "终止进程"
  };
  form->ProcMenu.Popup(0, 0, form->Handle());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kCannotOpen}) << "B has ended; C, selected now, stays";
  EXPECT_TRUE(services.terminations.empty());
  // With tbTerminate held down, C ends and a refresh leaves no row selected.
  ASSERT_EQ(form->ProcessPage().SelectedPid(), 30u);
  const RECT button = form->ToolBar1->Find("tbTerminate")->Rect();
  const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  SendMessageA(form->ToolBar1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  services.processes.pop_back();
  form->RefreshCmdExecute();
  SendMessageA(form->ToolBar1->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kCannotOpen, kCannotOpen}));
  // The choice over, the command acts on the row selected now: A, the first, once the refresh after
  // C's gone row went selects it.
  form->RefreshCmdExecute();
  form->TerminateCmdExecute();
  EXPECT_EQ(services.terminations, (std::vector<std::uint32_t>{10}));
}

// ---------------------------------------------------------------------------------------------
// Real processes.

class RealTermination : public testing::MainWindowHost {
 protected:
  void SetUp() override {
    ASSERT_TRUE(child.Started());
    OpenMainWindow(services);
  }
  int RowOf(const std::string& pid) const {
    return testing::RowWhere(form->ProcessPage().ProcList(), 1, pid);
  }
  // The ended process's row stays marked gone until the next refresh takes it out.
  void ExpectGoneForOneRefresh(const std::string& pid) {
    ASSERT_GE(RowOf(pid), 0);
    EXPECT_TRUE(IsGone(form->ProcessPage().ProcList()->Item(RowOf(pid))));
    form->RefreshCmdExecute();
    EXPECT_EQ(RowOf(pid), -1);
  }
  // Selects the child's row the way a click does; false when it is not listed.
  bool SelectChild() {
    const int row = RowOf(child.Pid());
    if (row < 0) return false;
    form->ProcessPage().ProcList()->SelectIndex(row);
    return std::to_string(form->ProcessPage().SelectedPid()) == child.Pid();
  }

  testing::TestChild child;
  Win32Services services;
  testing::RecordingBoxes boxes;
};

TEST_F(RealTermination, EndsTheSelectedProcessWithExitCodeMinusNine) {
  ASSERT_TRUE(SelectChild());
  form->settings.Confirm = true;
  boxes.answers = {IDNO};
  testing::MarkRefresh(*form);
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kQuestion);
  EXPECT_TRUE(child.Running());
  EXPECT_FALSE(testing::Refreshed(*form));

  form->settings.Confirm = false;
  form->TerminateCmdExecute();
  EXPECT_EQ(boxes.shown.size(), 1u);  // no question, no message
  EXPECT_EQ(child.ExitCode(), 4294967287u);
  EXPECT_TRUE(testing::Refreshed(*form));
  ExpectGoneForOneRefresh(child.Pid());
}

TEST_F(RealTermination, AProcessThatHasEndedCannotBeOpenedAndItsRowGoes) {
  ASSERT_TRUE(SelectChild());
  const std::string pid = child.Pid();
  ASSERT_TRUE(child.EndAndForget());
  form->settings.Confirm = false;
  form->TerminateCmdExecute();
  ASSERT_EQ(boxes.shown.size(), 1u);
  ExpectBox(boxes.shown[0], kCannotOpen, MB_OK | MB_ICONERROR);
  ExpectGoneForOneRefresh(pid);
}

}  // namespace
}  // namespace k32
