// The process page on the lists of a plain window, as any window could host it: it keeps its own
// selection and target, and each termination attempt hands the refresh to its host.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "system/fake_services.h"
#include "gui/form.h"
#include "process/process_page.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class ProcessPageAlone : public ::testing::Test {
 protected:
  void SetUp() override {
    services.AddProcess(L"A.EXE", 10).AddProcess(L"B.EXE", 20).AddProcess(L"C.EXE", 30);
    services.modules[20] = {{L"B.EXE", L"C:\\B\\B.EXE", 0x400000, 4096}};
    form = std::make_unique<gui::TForm>();
    for (TdfsExtListView** list : {&procList, &moduleList}) {
      *list = form->Add<TdfsExtListView>();
      (*list)->SetViewStyle(gui::vsReport);
      for (int column = 0; column < 5; ++column) (*list)->AddColumn("c", 60);
    }
    page = std::make_unique<TProcessPage>(*procList, *moduleList, services, [this] {
      ++refreshes;
      page->Refresh(services.ProcessSnapshot());
    });
    form->Show();
    testing::Pump();
    page->Refresh(services.ProcessSnapshot());
  }
  void TearDown() override {
    form.reset();
    page.reset();
  }

  testing::FakeServices services;
  std::unique_ptr<gui::TForm> form;
  TdfsExtListView* procList = nullptr;
  TdfsExtListView* moduleList = nullptr;
  std::unique_ptr<TProcessPage> page;
  int refreshes = 0;
  testing::RecordingBoxes boxes;
};

TEST_F(ProcessPageAlone, EndsTheHeldProcessAndHasItsHostRefresh) {
  EXPECT_EQ(page->ProcessCount(), 3);
  procList->SelectIndex(1);
  EXPECT_EQ(page->SelectedPid(), 20u);
  EXPECT_EQ(moduleList->Count(), 1);

  page->HoldTargets();
  procList->SelectIndex(2);  // as a refresh might, while the user still chooses
  EXPECT_EQ(page->Targets().process, 20u);
  page->Terminate(false);
  page->ReleaseTargets();
  EXPECT_EQ(services.terminations, (std::vector<std::uint32_t>{20}));
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(page->ProcessCount(), 2);

  // Released, the target follows the selection again (the ended process's row stays, marked gone,
  // until the next refresh); a failed attempt refreshes too.
  procList->SelectIndex(2);
  services.terminateOutcomes[30] = TerminateOutcome::Failed;
  page->Terminate(false);
  EXPECT_EQ(services.terminations, (std::vector<std::uint32_t>{20, 30}));
  EXPECT_EQ(refreshes, 2);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法终止指定的进程。");
}

}  // namespace
}  // namespace k32
