// Starts the real program and saves pictures of what a user sees, for the README: the processes
// page with explorer.exe selected, the windows page and the report window, each as a 24-bit BMP
// of the window's rectangle on the screen. Usage: make_screenshots <folder> <name prefix>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace {

using k32::e2e::Program;

bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, picture);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
  GdiFlush();
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{0x4D42,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + imageBytes,
                        0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  bool written = false;
  if (copied) {
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, imageBytes, 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  SelectObject(memory, previous);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

// A click on a button of the program's image tool bar (the page buttons are its first two).
void ClickToolButton(const Program& program, int index) {
  const std::vector<HWND> bars = k32::e2e::ChildrenOfClass(program.MainWindow(), TOOLBARCLASSNAMEA);
  for (HWND bar : bars) {
    if (SendMessageA(bar, TB_BUTTONCOUNT, 0, 0) < 8) continue;  // the text buttons' bar
    HANDLE process = program.Process();
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
    RECT rect{};
    ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
  }
}

bool Shoot(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(700);  // the other process paints in its own time
  const bool saved = SaveWindowPicture(window, path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: make_screenshots <folder> <name prefix>\n");
    return 2;
  }
  const std::string prefix = std::string(argv[1]) + "\\" + argv[2];
  Program program;
  if (!program.MainWindow()) return 1;
  SetForegroundWindow(program.MainWindow());
  const std::vector<HWND> lists = program.ListViews();
  if (lists.size() != 4) return 1;
  k32::e2e::WaitUntil([&] { return program.RowCount(lists[0]) > 0; });
  const int explorer = program.FindRow(lists[0], 0, "explorer.exe");
  if (explorer >= 0) {
    program.SelectRow(lists[0], explorer);
    SendMessageA(lists[0], LVM_ENSUREVISIBLE, static_cast<WPARAM>(explorer), FALSE);
  }
  bool ok = Shoot(program.MainWindow(), prefix + "-processes.bmp");

  ClickToolButton(program, 1);
  ok = Shoot(program.MainWindow(), prefix + "-windows.bmp") && ok;
  ClickToolButton(program, 0);

  HWND report = nullptr, edit = nullptr;
  program.OpenReport(report, edit);
  ok = report && Shoot(report, prefix + "-report.bmp") && ok;
  if (report) {
    PostMessageA(report, WM_CLOSE, 0, 0);
    k32::e2e::WaitUntilGone(report);
  }
  return ok ? 0 : 1;
}
