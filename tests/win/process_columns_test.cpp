// The process list's columns as the user handles them: sorted by value, chosen from the header's
// menu and the view menu, a row copied, the list exported.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/csv.h"
#include "shared/report_files.h"
#include "win/list_view_test_support.h"
#include "win/main_window_fixture.h"
#include "win/scripted_save_dialogs.h"

namespace k32 {
namespace {

class ProcessColumns : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    for (auto [name, pid, kib] : {std::tuple{L"nine.exe", 8u, 9'000u}, {L"ten.exe", 12u, 10'000u},
                                  {L"a,\"b\".exe", 16u, 500u}}) {
      services.AddProcess(name, pid);
      services.processes.back().privateBytes = std::uint64_t{kib} * 1024;
    }
    MainWindowTest::SetUp();
    procs = form->ProcessPage().ProcList();
  }
  std::vector<std::string> Names() const { return testing::ColumnTexts(*procs, 0); }
  int Width(int column) const { return static_cast<int>(SendMessageA(procs->Handle(), LVM_GETCOLUMNWIDTH, column, 0)); }

  TMainListView* procs = nullptr;
};

// What does not change in a process's life is read once while it runs: a reused PID is read anew.
TEST_F(ProcessColumns, DetailsAreReadOncePerProcessAndShown) {
  EXPECT_EQ(services.detailReads, (std::vector<std::uint32_t>{8, 12, 16}));
  services.processes.erase(services.processes.begin());
  services.AddProcess(L"again.exe", 8);
  services.details[8] = {L"VM\\user", L"again.exe /x", L"C:\\again.exe", L"Again", L"Co"};
  form->RefreshCmdExecute();
  form->RefreshCmdExecute();
  EXPECT_EQ(services.detailReads, (std::vector<std::uint32_t>{8, 12, 16, 8}));
  const int row = testing::RowWhere(procs, 0, "again.exe");
  ASSERT_GE(row, 0);
  EXPECT_EQ(procs->Item(row)->Text(kCommandLineColumn), L"again.exe /x");
  EXPECT_EQ(procs->Item(row)->Text(kDescriptionColumn), L"Again");
}

TEST_F(ProcessColumns, ASizeSortsByItsNumberAndTheMenusShowAndHideColumnsButNeverTheFirst) {
  // "10,000 K" above "9,000 K": the number, from the largest down at the first click.
  testing::ClickHeader(procs->GetHeaderHandle(), kPrivateBytesColumn);
  EXPECT_EQ(Names(), (std::vector<std::string>{"ten.exe", "nine.exe", "a,\"b\".exe"}));
  testing::ClickHeader(procs->GetHeaderHandle(), kPrivateBytesColumn);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a,\"b\".exe", "nine.exe", "ten.exe"}));

  std::vector<std::string> items;
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& menu, HMENU, POINT) -> UINT {
    for (const auto& item : menu.Items())
      items.push_back(item->Caption + (item->Checked() ? " +" : "") + (item->Enabled() ? "" : " (off)"));
    return kCommandLineColumn + 1;
  };
  RECT header{};
  SendMessageA(procs->GetHeaderHandle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&header));
  const LPARAM at = MAKELPARAM(header.left + 5, header.top + 5);
  SendMessageA(procs->GetHeaderHandle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  SendMessageA(procs->GetHeaderHandle(), WM_RBUTTONUP, 0, at);
  ASSERT_EQ(items.size(), static_cast<std::size_t>(kProcessColumns));
  EXPECT_EQ(items[0], "可执行文件 + (off)");
  EXPECT_EQ(items[kCpuColumn], "CPU +");
  EXPECT_EQ(items[kCommandLineColumn], "命令行");
  EXPECT_GT(Width(kCommandLineColumn), 0) << "chosen: shown";

  // 查看 > 列 holds the same items for the shown page's upper list: CPU chosen there goes.
  gui::TPopupMenu::TrackHook = [&](gui::TPopupMenu& menu, HMENU, POINT) -> UINT {
    for (std::size_t i = 0; i < menu.Items().size(); ++i)
      if (menu.Items()[i]->Name == "miColumns")
        return static_cast<UINT>(i + 1) * gui::TPopupMenu::kSubMenuBase + kCpuColumn + 1;
    return 0;
  };
  form->ViewMenu.Popup(0, 0, form->Handle());
  EXPECT_EQ(Width(kCpuColumn), 0);
  EXPECT_FALSE(procs->ColumnVisible(kCpuColumn));
}

TEST_F(ProcessColumns, CtrlCCopiesTheShownCellsInTheirOrderAndTheExportWritesTheShownList) {
  std::vector<int> order(kProcessColumns);
  for (int i = 0; i < kProcessColumns; ++i) order[static_cast<std::size_t>(i)] = i;
  std::swap(order[0], order[1]);  // PID first
  procs->SetColumnOrder(order);
  for (int column = kCpuColumn; column < kProcessColumns; ++column)
    procs->SetColumnVisible(column, column == kPrivateBytesColumn);
  procs->SelectIndex(2);
  procs->SetFocus();
  ASSERT_TRUE(form->ActionList.ExecuteShortCut(gui::scCtrl | 'C'));
  EXPECT_EQ(testing::ClipboardText<wchar_t>(), L"16\ta,\"b\".exe\t0\t1\tNORMAL_PRIORITY_CLASS\t500 K");
  EXPECT_EQ(testing::ClipboardText<char>(), "16\ta,\"b\".exe\t0\t1\tNORMAL_PRIORITY_CLASS\t500 K");
  // In a text field Ctrl+C is the field's.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  const MSG inFilter{form->FilterEdit->Handle(), WM_KEYDOWN, 'C', 0, 0, {}};
  EXPECT_FALSE(form->ActionList.IsShortCut(inFilter));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  testing::ScriptedSaveDialogs dialogs;
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "kestrel-export.csv";
  dialogs.answer = gui::Wide(file);
  form->ExportCmdExecute();
  EXPECT_EQ(dialogs.defaultExt, "csv");
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, std::string(kUtf8Bom) + Utf8(L"PID,可执行文件,父级 PID,线程,优先级,私有字节\r\n") +
                       "8,nine.exe,0,1,NORMAL_PRIORITY_CLASS,\"9,000 K\"\r\n"
                       "12,ten.exe,0,1,NORMAL_PRIORITY_CLASS,\"10,000 K\"\r\n"
                       "16,\"a,\"\"b\"\".exe\",0,1,NORMAL_PRIORITY_CLASS,500 K\r\n");
  in.close();
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace k32
