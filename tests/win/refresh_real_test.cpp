// The refresh on the real system services: this test process, its modules and its windows as the
// lists show them.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "app/form_main.h"
#include "common/text.h"
#include "gui/wide_text.h"
#include "listview/list_update.h"
#include "system/win32_services.h"
#include "win/import_patch.h"
#include "win/main_window_fixture.h"
#include "win/test_child_process.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

using testing::RowWhere;

// Rows the status bar counts: a process or window that ended meanwhile stays a gone row, uncounted.
int Listed(const TMainListView* list) {
  int count = 0;
  for (int i = 0; i < list->Count(); ++i) count += IsGone(list->Item(i)) ? 0 : 1;
  return count;
}

// A handle as the lists write it.
std::string HandleText(const void* handle) { return PointerText(reinterpret_cast<UINT_PTR>(handle)); }

DWORD WINAPI Wait(void* event) {
  WaitForSingleObject(event, INFINITE);
  return 0;
}

BOOL CALLBACK CollectDescendant(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// Module snapshots fail with ERROR_BAD_LENGTH this many times more, as while a process loads a module.
int badLengths = 0;
int snapshotsAsked = 0;
decltype(&CreateToolhelp32Snapshot) realSnapshot = nullptr;

HANDLE WINAPI BadLengthFirst(DWORD flags, DWORD processId) {
  ++snapshotsAsked;
  if (!(flags & TH32CS_SNAPMODULE) || badLengths-- <= 0) return realSnapshot(flags, processId);
  SetLastError(ERROR_BAD_LENGTH);
  return INVALID_HANDLE_VALUE;
}

BOOL WINAPI NoMemoryRead(HANDLE, LPCVOID, LPVOID, SIZE_T, SIZE_T*) {
  SetLastError(ERROR_PARTIAL_COPY);
  return FALSE;
}

// The snapshot is asked where the loader's list cannot be read whole.
TEST(ModuleSnapshot, ABadLengthPassesAndIsAskedAgainAFewTimesNotForEver) {
  testing::ImportPatch patch("kernel32.dll", "CreateToolhelp32Snapshot",
                             reinterpret_cast<void*>(&BadLengthFirst));
  const testing::ImportPatch unreadable("kernel32.dll", "ReadProcessMemory",
                                        reinterpret_cast<void*>(&NoMemoryRead));
  realSnapshot = patch.Original<decltype(&CreateToolhelp32Snapshot)>();
  Win32Services services;
  badLengths = 2;
  EXPECT_FALSE(services.ModuleSnapshot(GetCurrentProcessId()).empty());
  badLengths = 1000;
  snapshotsAsked = 0;
  EXPECT_TRUE(services.ModuleSnapshot(GetCurrentProcessId()).empty());
  EXPECT_LE(snapshotsAsked, 10);
}

// The real services tell an ended process apart, and enable the debug privilege the token holds.
TEST(ModuleSnapshot, SaysWhyNothingCameAndEnablesTheDebugPrivilege) {
  Win32Services services;
  testing::TestChild child;
  const auto pid = static_cast<std::uint32_t>(std::stoul(child.Pid()));
  ASSERT_TRUE(child.Started() && child.EndAndForget());
  EXPECT_TRUE(services.ModuleSnapshot(pid).empty());
  EXPECT_EQ(services.LastModuleFailure(), ModuleFailure::Ended);

  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
  PRIVILEGE_SET debug{1, PRIVILEGE_SET_ALL_NECESSARY, {{{}, 0}}};
  LookupPrivilegeValueA(nullptr, SE_DEBUG_NAME, &debug.Privilege[0].Luid);
  TOKEN_PRIVILEGES off{1, {{debug.Privilege[0].Luid, 0}}};
  AdjustTokenPrivileges(token, FALSE, &off, sizeof off, nullptr, nullptr);
  services.EnableDebugPrivilege();
  BOOL enabled = FALSE;
  EXPECT_TRUE(PrivilegeCheck(token, &debug, &enabled) && enabled);
  CloseHandle(token);
}

class RealRefresh : public testing::MainWindowHost {
 protected:
  void SetUp() override { OpenMainWindow(services); }
  int OwnRow() { return RowWhere(form->ProcessPage().ProcList(), 1, UnsignedText(GetCurrentProcessId())); }

  testing::RecordingBoxes boxes;
  Win32Services services;
};

TEST_F(RealRefresh, ListsThisProcessWithItsThreadsAndModules) {
  const int own = OwnRow();
  ASSERT_GE(own, 0);
  const gui::TListItem* row = form->ProcessPage().ProcList()->Item(own);
  EXPECT_EQ(gui::Narrow(row->Caption), "win_tests.exe");
  EXPECT_EQ(row->ImageIndex, 1);
  const std::uint32_t threads = ParseDecimalModulo32(row->Text(3));
  EXPECT_GE(threads, 1u);

  // Three more threads show as three more at the next refresh.
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE started[3];
  for (HANDLE& thread : started) thread = CreateThread(nullptr, 0, &Wait, release, 0, nullptr);
  form->RefreshCmdExecute();
  EXPECT_EQ(ParseDecimalModulo32(form->ProcessPage().ProcList()->Item(OwnRow())->Text(3)), threads + 3);
  SetEvent(release);
  WaitForMultipleObjects(3, started, TRUE, 5000);
  for (HANDLE thread : started) CloseHandle(thread);
  CloseHandle(release);
  EXPECT_EQ(form->StatusBar->PanelText(0), "进程: " + std::to_string(Listed(form->ProcessPage().ProcList())));

  form->ProcessPage().ProcList()->SelectIndex(OwnRow());
  EXPECT_EQ(form->ProcessPage().SelectedPid(), GetCurrentProcessId());
  HMODULE exe = GetModuleHandleA(nullptr);
  const int exeRow = RowWhere(form->ProcessPage().ModuleList(), 2, HandleText(exe));
  ASSERT_GE(exeRow, 0);
  const gui::TListItem* module = form->ProcessPage().ModuleList()->Item(exeRow);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(exe);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(exe) + dos->e_lfanew);
  EXPECT_EQ(module->Caption, L"win_tests.exe");
  EXPECT_EQ(gui::Narrow(module->Text(1)), path);
  EXPECT_EQ(gui::Narrow(module->Text(3)), KilobyteText(nt->OptionalHeader.SizeOfImage));
  EXPECT_EQ(module->ImageIndex, 1);
  const int kernel =
      RowWhere(form->ProcessPage().ModuleList(), 2, HandleText(GetModuleHandleA("kernel32.dll")));
  ASSERT_GE(kernel, 0);
  EXPECT_EQ(form->ProcessPage().ModuleList()->Item(kernel)->ImageIndex, 0);
}

TEST_F(RealRefresh, ListsAWindowOfThisProcessAndItsDescendants) {
  testing::RegisterProbeClass("KestrelProbe");
  HWND probe = CreateWindowExA(0, "KestrelProbe", "探针窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                               200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(probe, nullptr);
  HWND label = CreateWindowExA(0, "STATIC", "子窗口", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, probe, nullptr,
                               nullptr, nullptr);
  CreateWindowExA(0, "BUTTON", "隐藏的孙窗口", WS_CHILD, 0, 0, 80, 20, label, nullptr, nullptr, nullptr);
  CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, probe, nullptr, nullptr, nullptr);
  testing::Pump();

  form->RefreshCmdExecute();
  const int row = RowWhere(form->WindowPage().WindowList(), 0, HandleText(probe));
  ASSERT_GE(row, 0);
  const gui::TListItem* item = form->WindowPage().WindowList()->Item(row);
  EXPECT_EQ(gui::Narrow(item->Text(1)), "KestrelProbe");
  EXPECT_EQ(gui::Narrow(item->Text(2)), "探针窗口");
  EXPECT_EQ(item->Text(3), L"win_tests.exe");
  EXPECT_EQ(item->ImageIndex, 0);
  EXPECT_EQ(form->StatusBar->PanelText(1),
            "顶层窗口: " + std::to_string(Listed(form->WindowPage().WindowList())));
  // The main window itself is listed too.
  const int main = RowWhere(form->WindowPage().WindowList(), 0, HandleText(form->Handle()));
  ASSERT_GE(main, 0);
  EXPECT_EQ(gui::Narrow(form->WindowPage().WindowList()->Item(main)->Text(2)), "Kestrel32");

  form->WindowPage().WindowList()->SelectIndex(row);
  std::vector<HWND> descendants;
  EnumChildWindows(probe, &CollectDescendant, reinterpret_cast<LPARAM>(&descendants));
  ASSERT_EQ(descendants.size(), 3u);
  ASSERT_EQ(form->WindowPage().ChildList()->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    HWND window = descendants[static_cast<std::size_t>(i)];
    const gui::TListItem* child = form->WindowPage().ChildList()->Item(i);
    char className[100] = {}, title[250] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(gui::Narrow(child->Caption), HandleText(window));
    EXPECT_EQ(gui::Narrow(child->Text(1)), className);
    EXPECT_EQ(gui::Narrow(child->Text(2)), title);
    EXPECT_EQ(child->ImageIndex, IsWindowVisible(window) ? 2 : 3) << title;
  }
  TMainListView* children = form->WindowPage().ChildList();
  EXPECT_GE(RowWhere(children, 2, "隐藏的孙窗口"), 0);
  EXPECT_EQ(children->Item(RowWhere(children, 2, "隐藏的孙窗口"))->ImageIndex, 3);
  DestroyWindow(probe);
}

}  // namespace
}  // namespace k32
