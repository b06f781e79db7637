#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "report/report_lines.h"
#include "shared/report_files.h"

namespace k32::e2e {
namespace {

using testing::ClipboardText;
using testing::LinesOf;
using testing::RtfFileLines;

std::string FileStart(const std::string& path, std::size_t bytes) {
  std::string start(bytes, '\0');
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  DWORD read = 0;
  ReadFile(file, start.data(), static_cast<DWORD>(bytes), &read, nullptr);
  CloseHandle(file);
  start.resize(read);
  return start;
}

std::string TempFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

// Types a name into the system's save dialog and answers it with a button, as a user does.
void TypeNameAndPress(HWND dialog, const std::string& name, int button) {
  // The explorer-style dialog has its name box as a combo box (cmb13) or an edit (edt1).
  HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) box = GetDlgItem(dialog, 0x480);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

// F4 in the program; the report window and its text control once they are up.
void OpenReport(const Program& program, HWND& report, HWND& edit) {
  ASSERT_NE(program.MainWindow(), nullptr);
  program.OpenReport(report, edit);
  ASSERT_NE(report, nullptr);
  ASSERT_NE(edit, nullptr);
}

TEST(ReportWindowE2E, CopyAndTheSystemsSaveDialogGiveTheWholeReport) {
  Program program;
  HWND report = nullptr, edit = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenReport(program, report, edit));
  const std::vector<std::string> shown = LinesOf(program.RichEditText(edit));
  ASSERT_GT(shown.size(), 8u);

  // Copy: the real clipboard holds every line, each ended by CR LF.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  HWND copy = ChildWithText(report, "复制");
  ASSERT_NE(copy, nullptr);
  SendMessageA(copy, BM_CLICK, 0, 0);
  const std::string copied = ClipboardText();
  EXPECT_EQ(LinesOf(copied), shown);
  EXPECT_EQ(copied.substr(copied.size() - 2), "\r\n");
  std::size_t bareFeeds = 0;
  for (std::size_t i = 0; i < copied.size(); ++i)
    bareFeeds += copied[i] == '\n' && (i == 0 || copied[i - 1] != '\r');
  EXPECT_EQ(bareFeeds, 0u);

  // Save: a name typed without extension gets ".TXT"; a file already there is replaced without a
  // question, and what is written is RTF whatever the name says. Names hold Chinese characters and
  // blanks, as a user's do.
  const std::string folder = "C:\\报告 目录";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string base = folder + "\\我的 报告";
  const std::string saved = base + ".TXT";
  {
    HANDLE old = CreateFileA(saved.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(old, "old text", 8, &written, nullptr);
    CloseHandle(old);
  }
  HWND save = ChildWithText(report, "另存为...");
  ASSERT_NE(save, nullptr);
  PostMessageA(save, BM_CLICK, 0, 0);
  HWND dialog = WaitForOwnedDialog(report);
  ASSERT_NE(dialog, nullptr);
  // The filter offers text files first, then all files.
  HWND types = GetDlgItem(dialog, 0x470);
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
  TypeNameAndPress(dialog, base, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return FileStart(saved, 5) == "{\\rtf"; }));
  EXPECT_EQ(WaitForOwnedDialog(report, 500), nullptr);  // no question about replacing
  EXPECT_EQ(RtfFileLines(saved), shown);
  EXPECT_TRUE(IsWindowVisible(report));

  // Cancelled: nothing is written and the report stays open.
  const std::string unwanted = TempFolder() + "kestrel-e2e-cancelled.txt";
  PostMessageA(save, BM_CLICK, 0, 0);
  dialog = WaitForOwnedDialog(report);
  ASSERT_NE(dialog, nullptr);
  TypeNameAndPress(dialog, unwanted, IDCANCEL);
  EXPECT_TRUE(WaitUntilGone(dialog));
  EXPECT_EQ(GetFileAttributesA(unwanted.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(IsWindowVisible(report));
  DeleteFileA(saved.c_str());
  RemoveDirectoryA(folder.c_str());

  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntilGone(report));
}

// A report of a large machine can take the rich-edit control gigabytes: the program is marked to
// use the whole address space its word size allows.
TEST(ReportWindowE2E, TheProgramMayUseMoreThanTwoGigabytes) {
  const std::string exe = ExeFolder() + kProgramExe;
  HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  // A module loaded as data has its handle's low bit set.
  const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<UINT_PTR>(image) & ~UINT_PTR{3});
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  EXPECT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->FileHeader.Machine, sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE);
  FreeLibrary(image);
}

TEST(ReportWindowE2E, F4ShowsTheReportOfTheRunningProgramAndEscClosesIt) {
  Program program;
  HWND report = nullptr, edit = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenReport(program, report, edit));
  EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));

  const std::string text = program.RichEditText(edit);
  const std::vector<std::string> lines = LinesOf(text);
  ASSERT_GT(lines.size(), 8u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), testing::ReportHeading());
  EXPECT_EQ(lines[4].rfind("日期: ", 0), 0u);
  EXPECT_EQ(lines[5].rfind("时间: ", 0), 0u);
  // The program's own section, with its identifier.
  const auto head = std::find(lines.begin(), lines.end(), kProgramExe);
  ASSERT_NE(head, lines.end());
  ASSERT_LT(std::distance(head, lines.end()), 100000);
  EXPECT_EQ(*(head + 2), "- 进程 ID: " + std::to_string(program.ProcessId()));
  // Line ends are CR LF in the window, one per report line.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitUntilGone(report));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }));
}

}  // namespace
}  // namespace k32::e2e
