// The 查找模块 window over scripted processes: it needs a text, and its columns fit its width.
#include <gtest/gtest.h>

#include "win/main_window_fixture.h"

namespace k32 {
namespace {

class FindModule : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    services.AddProcess(L"a.exe", 8).AddModule(8, L"a.exe", L"C:\\a.exe", 0x400000, 4096);
    MainWindowTest::SetUp();
    form->FindModuleCmdExecute();
    find = form->FormFindModule.get();
    ASSERT_NE(find, nullptr);
  }
  TFormFindModule* find = nullptr;
};

TEST_F(FindModule, AnEmptyTextSearchesNothingAndTheButtonWaitsForAText) {
  EXPECT_FALSE(IsWindowEnabled(find->btnFind->Handle()));
  const int snapshots = services.processSnapshots;
  find->Search();
  EXPECT_FALSE(find->Searching());
  EXPECT_EQ(services.processSnapshots, snapshots);
  find->edText->SetText("a.exe");
  EXPECT_TRUE(IsWindowEnabled(find->btnFind->Handle()));
  find->edText->SetText("");
  EXPECT_FALSE(IsWindowEnabled(find->btnFind->Handle()));
}

TEST_F(FindModule, ItsColumnsFitBesideAVerticalScrollBar) {
  HWND list = find->lvResults->Handle();
  RECT client{};
  GetClientRect(list, &client);
  int widths = 0;
  for (int column = 0; column < find->lvResults->ColumnCount(); ++column)
    widths += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
  EXPECT_LE(widths + GetSystemMetrics(SM_CXVSCROLL), client.right);
}

}  // namespace
}  // namespace k32
