#include "e2e/driver.h"

#include <richedit.h>
#include <winternl.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

#include "common/text.h"

namespace k32::e2e {

namespace {

// A buffer in the program's address space, for messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process), data_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() { VirtualFreeEx(process_, data_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  [[nodiscard]] char* Get() const { return static_cast<char*>(data_); }
  void Write(std::size_t offset, const void* bytes, std::size_t size) const {
    WriteProcessMemory(process_, Get() + offset, bytes, size, nullptr);
  }
  void Read(std::size_t offset, void* bytes, std::size_t size) const {
    ReadProcessMemory(process_, Get() + offset, bytes, size, nullptr);
  }

 private:
  HANDLE process_;
  void* data_;
};

// The program's texts as code page 936, whatever this process's code page: they are read through the
// wide calls, which do not depend on it.
std::string Text936(const wchar_t* wide) {
  const int bytes = WideCharToMultiByte(936, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
  WideCharToMultiByte(936, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
  text.resize(text.size() - 1);
  return text;
}

struct FindContext {
  DWORD processId;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM context) {
  auto* find = reinterpret_cast<FindContext*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == find->processId && *find->caption == WindowText(window)) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

struct MainContext {
  DWORD processId;
  HWND main;
  HWND box;
};

// The program's own windows titled "Kestrel32": its main window, or a message box before it.
BOOL CALLBACK FindMainOrBox(HWND window, LPARAM context) {
  auto* find = reinterpret_cast<MainContext*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != find->processId || WindowText(window) != "Kestrel32" || !IsWindowVisible(window)) return TRUE;
  (ClassName(window) == "#32770" ? find->box : find->main) = window;
  return TRUE;
}

struct ClassContext {
  const char* className;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectClass(HWND window, LPARAM context) {
  auto* collect = reinterpret_cast<ClassContext*>(context);
  if (lstrcmpiA(ClassName(window).c_str(), collect->className) == 0) collect->found->push_back(window);
  return TRUE;
}

}  // namespace

bool WaitUntilGone(HWND window, DWORD milliseconds) {
  return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, milliseconds);
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderPart(path);  // a trail byte of a double-byte name is no separator
}

std::string WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return Text936(text);
}

std::string EditText(HWND edit) {
  char text[256] = {};
  SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD milliseconds) {
  FindContext find{processId, &caption, nullptr};
  const bool shown = WaitUntil(
      [&] {
        find.found = nullptr;
        EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&find));
        return find.found && IsWindowVisible(find.found);
      },
      milliseconds);
  return shown ? find.found : nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> found;
  ClassContext collect{className, &found};
  EnumChildWindows(parent, &CollectClass, reinterpret_cast<LPARAM>(&collect));
  return found;
}

HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds) {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        for (dialog = GetTopWindow(nullptr); dialog; dialog = GetWindow(dialog, GW_HWNDNEXT)) {
          if (GetWindow(dialog, GW_OWNER) == owner && ClassName(dialog) == "#32770" &&
              IsWindowVisible(dialog))
            return true;
        }
        return false;
      },
      milliseconds);
  return dialog;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return child;
    if (HWND inner = ChildWithText(child, text)) return inner;
  }
  return nullptr;
}

HWND WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  MainContext find{processId, nullptr, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(&FindMainOrBox, reinterpret_cast<LPARAM>(&find));
        return find.box != nullptr;
      },
      milliseconds);
  return find.box;
}

HWND WaitForPopupMenu(DWORD processId, DWORD milliseconds) {
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
          DWORD owner = 0;
          GetWindowThreadProcessId(top, &owner);
          if (owner == processId && ClassName(top) == "#32768" && IsWindowVisible(top)) {
            menu = top;
            return true;
          }
        }
        return false;
      },
      milliseconds);
  return menu;
}

std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND label : ChildrenOfClass(box, "Static")) {
    std::string line = WindowText(label);
    if (!line.empty()) text = std::move(line);
  }
  return text;
}

RegistryTurn::RegistryTurn() : mutex_(CreateMutexA(nullptr, FALSE, "Kestrel32.e2e.registry")) {
  if (mutex_) WaitForSingleObject(mutex_, 180000);  // an abandoned turn is ours too
}

RegistryTurn::~RegistryTurn() {
  if (mutex_) {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
}

Program::Program() {
  const std::string exe = ExeFolder() + kProgramExe;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, ExeFolder().c_str(),
                      &startup, &info_))
    throw std::runtime_error("cannot start " + exe);
  HWND answered = nullptr;
  WaitUntil(
      [&] {
        MainContext find{info_.dwProcessId, nullptr, nullptr};
        EnumWindows(&FindMainOrBox, reinterpret_cast<LPARAM>(&find));
        main_ = find.main;
        if (main_) return true;
        if (find.box && find.box != answered) {
          startupMessages_.push_back(MessageBoxText(find.box));
          PostMessageA(find.box, WM_COMMAND, IDOK, 0);
          answered = find.box;
        }
        return false;
      },
      15000);
}

Program::~Program() {
  if (info_.hProcess) {
    if (main_ && IsWindow(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

DWORD Program::WaitForExit(DWORD milliseconds) const {
  WaitForSingleObject(info_.hProcess, milliseconds);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::vector<HWND> Program::ListViews() const { return ChildrenOfClass(main_, WC_LISTVIEWA); }

std::vector<std::string> Program::ColumnCaptions(HWND list) const {
  std::vector<std::string> captions;
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  RemoteBuffer remote(info_.hProcess, sizeof(HDITEMW) + 2 * 260);
  for (int i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote.Get() + sizeof(HDITEMW));
    item.cchTextMax = 260;
    remote.Write(0, &item, sizeof item);
    SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.Get()));
    wchar_t text[260] = {};
    remote.Read(sizeof(HDITEMW), text, sizeof text - 2);
    captions.push_back(Text936(text));
  }
  return captions;
}

int Program::RowCount(HWND list) const {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string Program::CellText(HWND list, int row, int column) const {
  RemoteBuffer remote(info_.hProcess, sizeof(LVITEMA) + 512);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = remote.Get() + sizeof(LVITEMA);
  item.cchTextMax = 512;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.Get()));
  char text[513] = {};
  remote.Read(sizeof(LVITEMA), text, 512);
  return text;
}

std::wstring Program::WideCellText(HWND list, int row, int column) const {
  RemoteBuffer remote(info_.hProcess, sizeof(LVITEMW) + 2 * 512);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(remote.Get() + sizeof(LVITEMW));
  item.cchTextMax = 512;
  remote.Write(0, &item, sizeof item);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.Get()));
  wchar_t text[513] = {};
  remote.Read(sizeof(LVITEMW), text, 2 * 512);
  return text;
}

int Program::FindRow(HWND list, int column, const std::wstring& text) const {
  const int count = RowCount(list);
  for (int i = 0; i < count; ++i)
    if (WideCellText(list, i, column) == text) return i;
  return -1;
}

int Program::SelectedRow(HWND list) const {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

HWND Program::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
  return info.hwndFocus;
}

COLORREF Program::RowColor(HWND list, int row) const {
  RemoteBuffer remote(info_.hProcess, sizeof(RECT));
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  remote.Write(0, &bounds, sizeof bounds);
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.Get()));
  remote.Read(0, &bounds, sizeof bounds);
  RECT client{};
  GetClientRect(list, &client);  // a row wider than the list ends out of sight
  // The colour most of the row's visible width shows: the background, whatever text stands on it.
  std::map<COLORREF, int> seen;
  HDC screen = GetDC(nullptr);
  for (LONG x = std::max(bounds.left, 0L) + 2; x < std::min(bounds.right, client.right) - 2; x += 3) {
    POINT at{x, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &at);
    ++seen[GetPixel(screen, at.x, at.y)];
  }
  ReleaseDC(nullptr, screen);
  const auto most = std::max_element(seen.begin(), seen.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == seen.end() ? CLR_INVALID : most->first;
}

int Program::FindRow(HWND list, int column, const std::string& text) const {
  const int length = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return FindRow(list, column, wide);
}

RECT Program::ShownItemRect(HWND list, int row, int part) const {
  SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
  RemoteBuffer remote(info_.hProcess, sizeof(RECT));
  RECT rect{part, 0, 0, 0};
  remote.Write(0, &rect, sizeof rect);
  SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.Get()));
  remote.Read(0, &rect, sizeof rect);
  return rect;
}

namespace {
void PostClick(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
}  // namespace

void Program::ClickRow(HWND list, int row) const {
  const RECT rect = ShownItemRect(list, row, LVIR_LABEL);
  PostClick(list, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int Program::RowIndent(HWND list, int row) const {
  RemoteBuffer remote(info_.hProcess, sizeof(LVITEMA));
  LVITEMA item{};
  item.mask = LVIF_INDENT;
  item.iItem = row;
  item.iIndent = -1;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Get()));
  remote.Read(0, &item, sizeof item);
  return item.iIndent;
}

void Program::ClickStateImage(HWND list, int row) const {
  // The state picture stands just left of the row's own picture, as wide as it.
  const RECT rect = ShownItemRect(list, row, LVIR_ICON);
  PostClick(list, rect.left - (rect.bottom - rect.top) / 2, (rect.top + rect.bottom) / 2);
}

// Keys as the keyboard gives them: each one down, then all up in reverse order (modifiers first in).
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeNameAndPress(HWND dialog, const std::string& name, int button) {
  // The explorer-style dialog has its name box as a combo box (cmb13) or an edit (edt1).
  HWND box = GetDlgItem(dialog, 0x47C);
  if (!box) box = GetDlgItem(dialog, 0x480);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

void Program::SelectRow(HWND list, int row) const {
  RemoteBuffer remote(info_.hProcess, sizeof(LVITEMA));
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.Get()));
}

void Program::ClickHeader(HWND list, int column) const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  RemoteBuffer remote(info_.hProcess, sizeof(RECT));
  SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(remote.Get()));
  RECT rect{};
  remote.Read(0, &rect, sizeof rect);
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // Press and release are posted together: a thread takes its posted messages before the pointer's,
  // so no move of the shared pointer (another test's window coming or going under it) falls between
  // them and makes the header see a press that left its item. A request posted after them writes
  // back once both are handled.
  const RECT unset{-1, -1, -1, -1};
  remote.Write(0, &unset, sizeof unset);
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(header, WM_LBUTTONUP, 0, at);
  PostMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(remote.Get()));
  WaitUntil([&] {
    remote.Read(0, &rect, sizeof rect);
    return rect.left != unset.left || rect.right != unset.right;
  }, 5000);
}

void Program::OpenReport(HWND& report, HWND& edit) const {
  report = edit = nullptr;
  PostMessageA(main_, WM_KEYDOWN, VK_F4, 1);
  HWND window = WaitForWindow(info_.dwProcessId, "有关正在运行进程的报告");
  if (!window) return;
  const std::vector<HWND> edits = ChildrenOfClass(window, "RICHEDIT50W");
  if (edits.size() != 1) return;
  report = window;
  edit = edits[0];
}

HWND Program::ToolBar(int buttons) const {
  for (HWND bar : ChildrenOfClass(main_, TOOLBARCLASSNAMEA))
    if (SendMessageA(bar, TB_BUTTONCOUNT, 0, 0) == buttons) return bar;
  return nullptr;
}

RECT Program::ToolButtonRect(HWND bar, int index) const {
  RemoteBuffer remote(info_.hProcess, sizeof(RECT));
  SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.Get()));
  RECT rect{};
  remote.Read(0, &rect, sizeof rect);
  return rect;
}

std::vector<int> Program::ColumnOrder(HWND list) const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  std::vector<int> order(static_cast<std::size_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)));
  if (order.empty()) return order;
  RemoteBuffer remote(info_.hProcess, order.size() * sizeof(int));
  if (!SendMessageA(list, LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(remote.Get())))
    return {};
  remote.Read(0, order.data(), order.size() * sizeof(int));
  return order;
}

void Program::SetColumnOrder(HWND list, const std::vector<int>& order) const {
  RemoteBuffer remote(info_.hProcess, order.size() * sizeof(int) + 1);
  remote.Write(0, order.data(), order.size() * sizeof(int));
  SendMessageA(list, LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(remote.Get()));
}

std::string Program::RichEditText(HWND edit) const {
  // Asked for UTF-16 and converted here: the control's narrow copies count their buffers in
  // characters, which double-byte text outgrows.
  RemoteBuffer query(info_.hProcess, sizeof(GETTEXTLENGTHEX));
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_USECRLF, 1200};
  query.Write(0, &length, sizeof length);
  const auto characters = static_cast<std::size_t>(
      SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(query.Get()), 0));
  const std::size_t room = 2 * (characters + 1);
  RemoteBuffer remote(info_.hProcess, sizeof(GETTEXTEX) + room);
  GETTEXTEX get{static_cast<DWORD>(room), GT_USECRLF, 1200, nullptr, nullptr};
  remote.Write(0, &get, sizeof get);
  SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(remote.Get()),
               reinterpret_cast<LPARAM>(remote.Get() + sizeof(GETTEXTEX)));
  std::wstring wide(characters + 1, L'\0');
  remote.Read(sizeof(GETTEXTEX), wide.data(), 2 * characters);
  wide.resize(wide.find(L'\0'));
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes, nullptr,
                      nullptr);
  return text;
}

std::string Program::StatusText(int panel) const {
  const auto bars = ChildrenOfClass(main_, STATUSCLASSNAMEA);
  if (bars.empty()) return {};
  RemoteBuffer remote(info_.hProcess, 1024);
  SendMessageW(bars[0], SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(remote.Get()));
  wchar_t text[512] = {};
  remote.Read(0, text, sizeof text - 2);
  return Text936(text);
}

DWORD Program::AnsiCodePage() const {
  // The ANSI code-page table the process environment block points to: its header holds the code
  // page after a 16-bit size.
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(info_.hProcess, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
    return 0;
  const std::size_t tableField = sizeof(void*) == 8 ? 0xA0 : 0x58;
  void* table = nullptr;
  USHORT header[2] = {};
  ReadProcessMemory(info_.hProcess, reinterpret_cast<char*>(basic.PebBaseAddress) + tableField, &table,
                    sizeof table, nullptr);
  if (!table || !ReadProcessMemory(info_.hProcess, table, header, sizeof header, nullptr)) return 0;
  return header[1];
}

}  // namespace k32::e2e
