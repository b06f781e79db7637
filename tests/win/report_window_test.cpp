// The report command and its window: the real system's report, copy, save, closing keys, the busy
// window around the work, and a report far beyond the control's default capacity.
#include <windows.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <thread>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "gui/clipboard.h"
#include "gui/comctrls.h"
#include "gui/dialogs.h"
#include "gui/error.h"
#include "gui/wide_text.h"
#include "system/win32_services.h"
#include "report/form_report.h"
#include "report/report_lines.h"
#include "shared/report_files.h"
#include "win/import_patch.h"
#include "win/main_window_fixture.h"
#include "win/scripted_save_dialogs.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

using testing::ClipboardText;
using testing::LinesOf;
using testing::ScriptedSaveDialogs;

std::string TempFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  DeleteFileA(path.c_str());
  return path;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PutOnClipboard(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

std::string WithCrLfByHand(const std::string& text) {
  std::string converted;
  for (char c : text) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return converted;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The report command on a main window each test opens over the services it needs.
class ReportCommand : public testing::MainWindowHost {
 protected:
  // Runs the report command through its shortcut, as the user does; act runs once the report
  // window is up. Unless closeByKey is set, the test closes the window afterwards; a key that does
  // not close it within seconds counts as a failure. Answers whether the window opened.
  bool Report(const std::function<void(TFormReport&)>& act) {
    bool opened = false;
    gui::TTimer guard;
    guard.SetEnabled(false);
    guard.SetInterval(5000);
    gui::Application().OnModalShow = [&](gui::TForm& shown) {
      auto* report = dynamic_cast<TFormReport*>(&shown);
      if (!report) return;
      opened = true;
      act(*report);
      if (report->ModalResult() == gui::mrNone && !closeByKey) report->SetModalResult(gui::mrCancel);
      guard.OnTimer = [report] {
        ADD_FAILURE() << "the report window stayed open";
        report->SetModalResult(gui::mrOk);
      };
      guard.SetEnabled(true);
    };
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_F4, 1);
    testing::Pump();
    gui::Application().OnModalShow = nullptr;
    return opened;
  }
  void TwoProcesses() {
    fake.AddProcess(L"[System Process]", 0, 0, 1, 0)
        .AddProcess(L"C:\\WINDOWS\\explorer.exe", 1156, 1120, 14, 0x20)
        .AddModule(1156, L"explorer.exe", L"C:\\WINDOWS\\explorer.exe", 0x01000000, 258048)
        .AddModule(1156, L"ntdll.dll", L"C:\\WINDOWS\\system32\\ntdll.dll", 0x7C900000, 503808);
    OpenMainWindow(fake);
  }

  testing::FakeServices fake;
  bool closeByKey = false;
};

TEST_F(ReportCommand, ShowsTheRealSystemWithThisProcessAndItsModulesInTheDesignedWindow) {
  Win32Services services;
  OpenMainWindow(services);
  std::vector<std::string> lines;
  bool busyHidden = false, focusOnClose = false;
  std::string face;
  LONG effects = 0;
  RECT client{}, closeRect{}, copyRect{}, saveRect{};
  std::vector<HWND> tabOrder;
  std::vector<HWND> expectedTabOrder;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    expectedTabOrder = {report.btnCopy->Handle(), report.btnSave->Handle(), report.Memo->Handle(),
                        report.btnClose->Handle()};
    lines = LinesOf(report.Memo->AllText());
    busyHidden = !IsWindowVisible(form->FormBusy->Handle());
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(report.Memo->Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    face = format.szFaceName;
    effects = static_cast<LONG>(format.dwEffects);
    GetClientRect(report.Handle(), &client);
    auto placed = [&](gui::TButton* button, RECT& rect) {
      GetWindowRect(button->Handle(), &rect);
      MapWindowPoints(nullptr, report.Panel->Handle(), reinterpret_cast<POINT*>(&rect), 2);
    };
    placed(report.btnClose, closeRect);
    placed(report.btnCopy, copyRect);
    placed(report.btnSave, saveRect);
    focusOnClose = GetFocus() == report.btnClose->Handle();
    for (int i = 0; i < 4; ++i) {
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
      testing::Pump();
      tabOrder.push_back(GetFocus());
    }
    EXPECT_EQ(report.Caption(), "有关正在运行进程的报告");
    EXPECT_EQ(report.btnSave->Text(), "另存为...");
    EXPECT_EQ(report.btnCopy->Text(), "复制");
    EXPECT_EQ(report.btnClose->Text(), "关闭");
    EXPECT_EQ(lstrcmpiA(ClassOf(report.Memo->Handle()).c_str(), "RICHEDIT50W"), 0);
    EXPECT_TRUE(IsWindowUnicode(report.Memo->Handle()));
    EXPECT_TRUE(GetWindowLongA(report.Memo->Handle(), GWL_STYLE) & ES_READONLY);
    RECT memo{};
    GetClientRect(report.Memo->Handle(), &memo);
    EXPECT_EQ(report.Memo->Width(), 452);
    EXPECT_EQ(report.Memo->Height(), 311);
    EXPECT_EQ(report.Panel->Height(), 41);
    // Esc, as the user closes it.
    closeByKey = true;
    PostMessageA(report.btnClose->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  }));
  EXPECT_TRUE(busyHidden);
  EXPECT_TRUE(focusOnClose);
  EXPECT_EQ(face, "宋体");
  EXPECT_FALSE(effects & CFE_BOLD);
  EXPECT_EQ(client.right, 452);
  EXPECT_EQ(client.bottom, 352);
  EXPECT_EQ(saveRect.left, 105);
  EXPECT_EQ(copyRect.left, 187);
  EXPECT_EQ(closeRect.left, 271);
  EXPECT_EQ(closeRect.top, 8);
  EXPECT_EQ(closeRect.right - closeRect.left, 75);
  EXPECT_EQ(closeRect.bottom - closeRect.top, 25);
  // From "关闭": "复制", "另存为...", the text, then round again.
  EXPECT_EQ(tabOrder, expectedTabOrder);

  // The window shows the report line by line, exactly.
  EXPECT_EQ(lines, LinesOf(form->reportText));
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), testing::ReportHeading());
  char date[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  EXPECT_EQ(lines[4], std::string("日期: ") + date);
  // Hours, minutes and seconds.
  ASSERT_EQ(lines[5].rfind("时间: ", 0), 0u);
  const std::string time = lines[5].substr(std::string("时间: ").size());
  EXPECT_EQ(std::count(time.begin(), time.end(), ':'), 2) << time;
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "");

  // This process's section, found by its identifier (other test processes share its name), with
  // its own modules.
  const auto id =
      std::find(lines.begin(), lines.end(), "- 进程 ID: " + std::to_string(GetCurrentProcessId()));
  ASSERT_NE(id, lines.end());
  ASSERT_GE(id - lines.begin(), 2);
  const auto head = id - 2;
  EXPECT_EQ(*head, "win_tests.exe");
  const auto next = std::find(head + 1, lines.end(), std::string(39, '='));
  const auto end = std::find(next + 1, lines.end(), std::string(39, '='));
  bool self = false, kernel = false;
  for (auto line = head; line != end; ++line) {
    self |= line->rfind("    win_tests.exe (", 0) == 0;
    kernel |= line->rfind("    kernel32.dll (", 0) == 0;
  }
  EXPECT_TRUE(self);
  EXPECT_TRUE(kernel);
}

TEST_F(ReportCommand, EnterClosesAndTheWindowIsOnTopWhenTheMainWindowIs) {
  TwoProcesses();
  LONG exStyle = 0;
  closeByKey = true;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    exStyle = GetWindowLongA(report.Handle(), GWL_EXSTYLE);
    PostMessageA(report.btnClose->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  }));
  EXPECT_FALSE(exStyle & WS_EX_TOPMOST);

  form->OnTopCmdExecute();
  ASSERT_TRUE(Report([&](TFormReport& report) {
    exStyle = GetWindowLongA(report.Handle(), GWL_EXSTYLE);
    PostMessageA(report.btnClose->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  }));
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  // The main window takes input again once the report is closed.
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  form->OnTopCmdExecute();
}

TEST_F(ReportCommand, AReportLongerAndWiderThanTheWindowHasBothScrollBars) {
  // The control shows a bar only where the text needs one.
  for (std::uint32_t p = 0; p < 40; ++p) {
    const std::uint32_t pid = 8 + 4 * p;
    fake.AddProcess(L"app" + std::to_wstring(p) + L".exe", pid, 4, 1);
    fake.AddModule(pid, L"deep.dll", L"C:\\" + std::wstring(150, L'd') + L"\\deep.dll", 0x10000000, 4096);
  }
  OpenMainWindow(fake);
  LONG style = 0;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    testing::Pump();
    style = GetWindowLongA(report.Memo->Handle(), GWL_STYLE);
  }));
  EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
}

TEST_F(ReportCommand, TheTextCannotBeEditedButASelectionCopiesWithTheControlsOwnCopy) {
  TwoProcesses();
  std::wstring before, after;
  std::string copied;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    HWND memo = report.Memo->Handle();
    before = report.Memo->AllText();
    SetFocus(memo);
    SendMessageA(memo, WM_CHAR, 'x', 1);
    SendMessageA(memo, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageA(memo, WM_KEYDOWN, VK_BACK, 1);
    SendMessageA(memo, WM_CUT, 0, 0);
    after = report.Memo->AllText();
    // The heading, as a user drags over it; the control copies what is selected.
    CHARRANGE heading{0, 11};
    SendMessageA(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&heading));
    SendMessageA(memo, WM_COPY, 0, 0);
    copied = ClipboardText();
  }));
  EXPECT_EQ(after, before);
  EXPECT_EQ(copied, "有关正在运行进程的报告");
}

TEST_F(ReportCommand, CopyPutsTheWholeReportWithCrLfEvenWithAPartialSelection) {
  TwoProcesses();
  testing::RecordingBoxes boxes;
  PutOnClipboard("before");
  std::string copied, whileHeld;
  bool openAfterCopy = false, openAfterFailure = false;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    SendMessageA(report.Memo->Handle(), EM_SETSEL, 3, 9);
    SendMessageA(report.btnCopy->Handle(), BM_CLICK, 0, 0);
    copied = ClipboardText();
    openAfterCopy = IsWindowVisible(report.Handle()) && report.ModalResult() == gui::mrNone;

    // Another program holds the clipboard open.
    PutOnClipboard("held");
    std::atomic<bool> holding{false}, release{false};
    std::thread holder([&] {
      if (OpenClipboard(nullptr)) {
        holding = true;
        while (!release) Sleep(5);
        CloseClipboard();
      }
      holding = true;
    });
    while (!holding) Sleep(5);
    SendMessageA(report.btnCopy->Handle(), BM_CLICK, 0, 0);
    release = true;
    holder.join();
    whileHeld = ClipboardText();
    openAfterFailure = IsWindowVisible(report.Handle()) && report.ModalResult() == gui::mrNone;
  }));
  EXPECT_EQ(copied, WithCrLfByHand(testing::AcpText(form->reportText)));
  EXPECT_EQ(copied.substr(copied.size() - 2), "\r\n");
  EXPECT_TRUE(openAfterCopy);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法打开剪贴板.");
  EXPECT_EQ(boxes.shown[0].caption, "Kestrel32");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(whileHeld, "held");
  EXPECT_TRUE(openAfterFailure);
}

TEST_F(ReportCommand, SaveWritesRtfWhateverTheNameAndReplacesWithoutAsking) {
  TwoProcesses();
  testing::RecordingBoxes boxes;
  ScriptedSaveDialogs dialogs;
  const std::string saved = TempFile("kestrel-report.txt");
  const std::string noFolder = TempFile("kestrel-no-such-folder") + "\\report.txt";
  const std::string older = "an older file";
  {
    std::ofstream old(saved, std::ios::binary);
    old << older;
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring wideFolder = std::wstring(temp) + L"폴더 Ω", wideSaved = wideFolder + L"\\보고서.txt";
  CreateDirectoryW(wideFolder.c_str(), nullptr);  // named outside code page 936
  std::string afterCancel, rtf, afterSecondCancel;
  std::vector<std::string> boxesAfterSave;
  bool openAfterSaves = false;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    auto save = [&](std::optional<std::wstring> answer) {
      dialogs.answer = std::move(answer);
      SendMessageA(report.btnSave->Handle(), BM_CLICK, 0, 0);
    };
    save(std::nullopt);
    afterCancel = FileBytes(saved);
    save(gui::Wide(saved));
    rtf = FileBytes(saved);
    save(wideSaved);
    for (const auto& box : boxes.shown) boxesAfterSave.push_back(box.text);
    // A later cancel writes nothing, not even to the name chosen before.
    {
      std::ofstream changed(saved, std::ios::binary);
      changed << "changed";
    }
    save(std::nullopt);
    afterSecondCancel = FileBytes(saved);
    save(gui::Wide(noFolder));
    // A device that takes no bytes: the control's stream fails.
    if (FileExists("Z:\\dev\\full")) save(L"Z:\\dev\\full");
    openAfterSaves = IsWindowVisible(report.Handle()) && report.ModalResult() == gui::mrNone;
  }));
  EXPECT_EQ(dialogs.shown, FileExists("Z:\\dev\\full") ? 6 : 5);
  EXPECT_EQ(dialogs.defaultExt, "TXT");
  EXPECT_EQ(dialogs.filter, "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*");
  EXPECT_EQ(dialogs.filterIndex, 1);
  EXPECT_TRUE(dialogs.flags & OFN_HIDEREADONLY);
  EXPECT_TRUE(dialogs.flags & OFN_ENABLESIZING);
  EXPECT_FALSE(dialogs.flags & OFN_OVERWRITEPROMPT);

  EXPECT_EQ(afterCancel, older);
  EXPECT_EQ(afterSecondCancel, "changed");
  EXPECT_TRUE(boxesAfterSave.empty());
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf.substr(0, 40);
  EXPECT_TRUE(DeleteFileW(wideSaved.c_str()));
  RemoveDirectoryW(wideFolder.c_str());
  {
    std::ofstream back(saved, std::ios::binary);
    back << rtf;
  }
  EXPECT_EQ(testing::RtfFileLines(saved), LinesOf(form->reportText));

  ASSERT_GE(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法创建文件 " + noFolder + ".");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  if (FileExists("Z:\\dev\\full")) {
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "保存流失败.");
  }
  EXPECT_TRUE(openAfterSaves);
  DeleteFileA(saved.c_str());
}

// Services that look at the busy window while the report is made, and may fail.
class WatchedServices : public testing::FakeServices {
 public:
  std::vector<ProcessEntry> ProcessSnapshot() override {
    busyShown = busy && ::IsWindowVisible(busy);
    if (fail) throw std::runtime_error("资源不足");
    return FakeServices::ProcessSnapshot();
  }
  HWND busy = nullptr;
  bool busyShown = false;
  bool fail = false;
};

TEST_F(ReportCommand, TheBusyWindowShowsWhileTheReportIsMadeAndHidesAlsoWhenItFails) {
  WatchedServices services;
  services.AddProcess(L"a.exe", 8);
  OpenMainWindow(services);
  // As at start-up: made once, hidden.
  form->FormBusy = std::make_unique<TFormBusy>(form.get());
  TFormBusy& busy = *form->FormBusy;
  services.busy = busy.Handle();
  EXPECT_FALSE(IsWindowVisible(busy.Handle()));
  EXPECT_EQ(busy.Caption(), "Kestrel32");
  EXPECT_FALSE(GetWindowLongA(busy.Handle(), GWL_STYLE) & WS_SYSMENU);
  RECT client{};
  GetClientRect(busy.Handle(), &client);
  EXPECT_EQ(client.right, 208);
  EXPECT_EQ(client.bottom, 53);
  EXPECT_EQ(busy.Label1->Text(), "正在生成报告...");
  LOGFONTA font{};
  const auto labelFont = reinterpret_cast<HFONT>(SendMessageA(busy.Label1->Handle(), WM_GETFONT, 0, 0));
  GetObjectA(labelFont, sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_STREQ(font.lfFaceName, "宋体");
  RECT label{};
  GetWindowRect(busy.Label1->Handle(), &label);
  MapWindowPoints(nullptr, busy.Handle(), reinterpret_cast<POINT*>(&label), 2);
  EXPECT_EQ(label.left, 46);
  EXPECT_EQ(label.top, 20);

  bool hiddenWhenShown = false;
  ASSERT_TRUE(Report([&](TFormReport&) { hiddenWhenShown = !IsWindowVisible(busy.Handle()); }));
  EXPECT_TRUE(services.busyShown);
  EXPECT_TRUE(hiddenWhenShown);
  EXPECT_FALSE(IsWindowVisible(busy.Handle()));

  testing::RecordingBoxes boxes;
  services.fail = true;
  services.busyShown = false;
  EXPECT_FALSE(Report([](TFormReport&) {}));
  EXPECT_TRUE(services.busyShown);
  EXPECT_FALSE(IsWindowVisible(busy.Handle()));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "资源不足.");
  // The program goes on: the main window takes input and the next report opens.
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  services.fail = false;
  EXPECT_TRUE(Report([](TFormReport&) {}));
}

TEST_F(ReportCommand, TheTextHasRoomForTheWholeReportWhateverItsSize) {
  for (std::uint32_t p = 0; p < 120; ++p) {
    const std::uint32_t pid = 8 + 4 * p;
    fake.AddProcess(L"C:\\Program Files\\供应商\\application" + std::to_wstring(p) + L".exe", pid, 4, 3);
    for (std::uint32_t m = 0; m < 30; ++m) {
      const std::wstring module = L"module" + std::to_wstring(m) + L".dll";
      fake.AddModule(pid, module, L"C:\\WINDOWS\\system32\\" + module, 0x70000000 + 0x10000 * m, 65536 + m);
    }
  }
  OpenMainWindow(fake);
  testing::RecordingBoxes boxes;
  std::size_t limit = 0, length = 0;
  std::vector<std::string> lines;
  ASSERT_TRUE(Report([&](TFormReport& report) {
    limit = static_cast<std::size_t>(SendMessageW(report.Memo->Handle(), EM_GETLIMITTEXT, 0, 0));
    length = static_cast<std::size_t>(SendMessageW(report.Memo->Handle(), WM_GETTEXTLENGTH, 0, 0));
    lines = LinesOf(report.Memo->AllText());
  }));
  EXPECT_TRUE(boxes.shown.empty());
  // Far beyond the control's default capacity, and set before the text went in: a control that
  // only grew to fit would hold exactly its length.
  EXPECT_GT(length, 256u * 1024u);
  EXPECT_GT(limit, length);
  EXPECT_EQ(lines, LinesOf(form->reportText));
}

// Takes only half of each insertion that holds the marked text, like a control that is full.
LRESULT CALLBACK HalfFull(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, "test.previous"));
  if (message == EM_SETTEXTEX &&
      std::wstring(reinterpret_cast<const wchar_t*>(lparam)).find(L"yyyy") != std::wstring::npos) {
    std::wstring half(reinterpret_cast<const wchar_t*>(lparam));
    half.resize(half.size() / 2);
    return CallWindowProcW(previous, window, message, wparam, reinterpret_cast<LPARAM>(half.c_str()));
  }
  return CallWindowProcW(previous, window, message, wparam, lparam);
}

HANDLE WINAPI RefuseClipboardData(UINT, HANDLE) { return nullptr; }

// The clipboard opened but did not take the text: the user must not believe it was copied.
TEST(Clipboard, TextTheClipboardDoesNotTakeIsAnError) {
  testing::ImportPatch refuse("user32.dll", "SetClipboardData", reinterpret_cast<void*>(&RefuseClipboardData));
  try {
    gui::ClipboardSetText(nullptr, "报告");
    ADD_FAILURE() << "no error";
  } catch (const gui::EGuiError& error) {
    EXPECT_STREQ(error.what(), "无法设置剪贴板数据");
  }
}

HGLOBAL WINAPI NoMemory(UINT, SIZE_T) { return nullptr; }

// A copy that cannot be made leaves what the user had on the clipboard.
TEST(Clipboard, TextThatCannotBeMadeReadyLeavesTheClipboardAsItWas) {
  gui::ClipboardSetText(nullptr, "用户的文本");
  testing::ImportPatch refuse("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&NoMemory));
  EXPECT_THROW(gui::ClipboardSetText(nullptr, "报告"), std::bad_alloc);
  EXPECT_EQ(testing::ClipboardText(), "用户的文本");
}

TEST(RichEdit, LinesTheControlDoesNotTakeWholeAreAnError) {
  gui::TForm owner;
  auto* edit = owner.Add<gui::TRichEdit>();
  edit->SetBounds(0, 0, 200, 100);
  HWND window = edit->Handle();
  SetPropA(window, "test.previous",
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HalfFull))));
  std::vector<std::wstring_view> lines(100, L"有关正在运行进程的报告");
  edit->AddLines(lines);
  EXPECT_EQ(edit->LineCount(), 101);
  try {
    edit->AddLine(L"yyyy yyyy");
    ADD_FAILURE() << "the line went in";
  } catch (const gui::EGuiError& error) {
    EXPECT_STREQ(error.what(), "RichEdit 行插入出错");
  }
  std::vector<std::string> held(lines.size(), "有关正在运行进程的报告");
  held.push_back("yyyy ");  // what the full control took of it
  EXPECT_EQ(LinesOf(edit->AllText()), held);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropA(window, "test.previous")));
  RemovePropA(window, "test.previous");
}

TEST(RichEdit, NoLineGoesInWhileTheAddressSpaceIsNearlyFull) {
  gui::TForm owner;
  auto* edit = owner.Add<gui::TRichEdit>();
  edit->SetBounds(0, 0, 200, 100);
  edit->AddLine(L"before");
  // Everything free in pieces of 64 MB or more is taken for the time of the test.
  std::vector<void*> taken;
  while (void* block = VirtualAlloc(nullptr, 64u << 20, MEM_RESERVE, PAGE_NOACCESS)) taken.push_back(block);
  bool refused = false;
  try {
    edit->AddLine(L"during");
  } catch (const gui::EGuiError& error) {
    refused = std::string(error.what()) == "RichEdit 行插入出错";
  }
  for (void* block : taken) VirtualFree(block, 0, MEM_RELEASE);
  EXPECT_FALSE(taken.empty());
  EXPECT_TRUE(refused);
  edit->AddLine(L"after");
  EXPECT_EQ(LinesOf(edit->AllText()), (std::vector<std::string>{"before", "after"}));
}

}  // namespace
}  // namespace k32
