// Names outside code page 936 (Korean, Greek, Cyrillic, an emoji) as the program shows, reports,
// copies, saves and opens them, read from outside through the wide calls.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "helpers/wide_names.h"
#include "shared/report_files.h"

namespace k32::e2e {
namespace {

using namespace k32::testing;

std::wstring WideExeFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::wstring WideText(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

struct TitleSearch {
  std::wstring part;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<TitleSearch*>(context);
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  if (std::wstring(title).find(search.part) != std::wstring::npos) search.found.push_back(window);
  return TRUE;
}

// Top-level windows whose title holds the text.
std::vector<HWND> WindowsTitled(const std::wstring& part) {
  TitleSearch search{part, {}};
  EnumWindows(&CollectTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Ends whatever the program has started (the shell's file browser) when the test ends.
struct ChildrenOf {
  DWORD parent;
  ~ChildrenOf() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      if (entry.th32ParentProcessID != parent) continue;
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(process, 0);
        CloseHandle(process);
      }
    }
    CloseHandle(snapshot);
  }
};

TEST(WideNamesE2E, EveryNameAsTheSystemHoldsIt) {
  const std::wstring folder = WideExeFolder() + kWideChildFolder + L"\\";
  const std::wstring path = folder + kWideChildExe;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  std::wstring command = L"\"" + path + L"\"";
  ASSERT_TRUE(CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &child));
  struct End {
    PROCESS_INFORMATION& child;
    ~End() {
      TerminateProcess(child.hProcess, 0);
      CloseHandle(child.hProcess);
      CloseHandle(child.hThread);
    }
  } end{child};
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(kWideChildClass, kWideChildTitle) != nullptr; }));

  Program program;
  ChildrenOf started{program.ProcessId()};
  const std::vector<HWND> lists = program.ListViews();
  ASSERT_EQ(lists.size(), 4u);
  HWND procs = lists[0], modules = lists[1], windows = lists[2];

  // The process row, and its modules with the whole path.
  const int row = program.FindRow(procs, 0, std::wstring(kWideChildExe));
  ASSERT_GE(row, 0);
  EXPECT_EQ(program.WideCellText(procs, row, 1), std::to_wstring(child.dwProcessId));
  program.SelectRow(procs, row);
  int module = -1;
  EXPECT_TRUE(
      WaitUntil([&] { return (module = program.FindRow(modules, 0, std::wstring(kWideChildExe))) >= 0; }));
  ASSERT_GE(module, 0);
  EXPECT_EQ(lstrcmpiW(program.WideCellText(modules, module, 1).c_str(), path.c_str()), 0)
      << AcpText(program.WideCellText(modules, module, 1));

  // The window row, and the properties dialog over it.
  const int window = program.FindRow(windows, 1, std::wstring(kWideChildClass));
  ASSERT_GE(window, 0);
  EXPECT_EQ(program.WideCellText(windows, window, 2), kWideChildTitle);
  EXPECT_EQ(program.WideCellText(windows, window, 3), kWideChildExe);
  HWND bar = program.ToolBar(10);
  ASSERT_NE(bar, nullptr);
  auto click = [&](int button) {
    const RECT rect = program.ToolButtonRect(bar, button);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(bar, WM_LBUTTONUP, 0, at);
  };
  auto clickRow = [&](HWND list, int at) {
    program.ClickRow(list, at);
    return WaitUntil([&] { return SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == at; });
  };
  click(1);  // the windows page
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(windows) != FALSE; }));
  ASSERT_TRUE(clickRow(windows, window));
  click(5);  // window properties
  HWND dialog = WaitForWindow(program.ProcessId(), "窗口属性");
  ASSERT_NE(dialog, nullptr);
  std::vector<std::wstring> fields;
  for (HWND edit : ChildrenOfClass(dialog, "Edit")) fields.push_back(WideText(edit));
  EXPECT_NE(std::find(fields.begin(), fields.end(), kWideChildClass), fields.end());
  EXPECT_NE(std::find(fields.begin(), fields.end(), kWideChildTitle), fields.end());
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(dialog));

  // The report: shown (its window text too, as any other program reads it), copied in both
  // formats, saved as RTF and read back.
  click(0);  // the processes page
  HWND report = nullptr, edit = nullptr;
  program.OpenReport(report, edit);
  ASSERT_NE(edit, nullptr);
  const std::wstring moduleLine = L"    " + std::wstring(kWideChildExe) + L" (" + path + L")";
  std::wstring shown(2 * SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');  // CR LF written for CR
  SendMessageW(edit, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
  EXPECT_NE(shown.find(moduleLine), std::wstring::npos);
  HWND copy = ChildWithText(report, "复制");
  ASSERT_NE(copy, nullptr);
  SendMessageA(copy, BM_CLICK, 0, 0);
  const std::vector<std::wstring> copied = WideLinesOf(ClipboardText<wchar_t>());
  EXPECT_NE(std::find(copied.begin(), copied.end(), kWideChildExe), copied.end());
  EXPECT_NE(std::find(copied.begin(), copied.end(), moduleLine), copied.end());
  const std::string ansi = ClipboardText<char>();
  EXPECT_NE(ansi.find("\r\n???.exe\r\n"), std::string::npos);
  EXPECT_NE(ansi.find("\r\n- 相关模块:\r\n"), std::string::npos);  // code page 936 bytes

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string saved =
      std::string(temp) + "kestrel-wide-" + std::to_string(program.ProcessId()) + ".rtf";
  HWND save = ChildWithText(report, "另存为...");
  ASSERT_NE(save, nullptr);
  PostMessageA(save, BM_CLICK, 0, 0);
  HWND saveDialog = WaitForOwnedDialog(report);
  ASSERT_NE(saveDialog, nullptr);
  TypeNameAndPress(saveDialog, saved, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }));
  EXPECT_TRUE(WaitUntilGone(saveDialog));
  const std::vector<std::wstring> read = WideLinesOf(RtfFileText(saved));
  EXPECT_NE(std::find(read.begin(), read.end(), moduleLine), read.end());
  DeleteFileA(saved.c_str());
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntilGone(report));

  // The module folder: the shell gets the whole path and opens the folder.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(modules) != FALSE; }));
  ASSERT_TRUE(clickRow(modules, module));
  PostMessageA(modules, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(modules), MAKELPARAM(-1, -1));
  HWND menu = WaitForPopupMenu(program.ProcessId());
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // "打开模块文件夹", the first item
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([] { return !WindowsTitled(kWideChildFolder).empty(); }, 20000));
}

}  // namespace
}  // namespace k32::e2e
