// Reading back what the report window hands out: the clipboard's text and a saved RTF file.
// Shared by the in-process and the end-to-end tests.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>
#include <vector>

#include "report/report_lines.h"

namespace k32::testing {

// The first four lines a report made on this machine by this user starts with.
inline std::vector<std::string> ReportHeading() {
  char computer[256] = {}, user[256] = {};
  DWORD size = sizeof computer;
  GetComputerNameA(computer, &size);
  size = sizeof user;
  GetUserNameA(user, &size);
  return {"有关正在运行进程的报告", std::string(39, '='), std::string("计算机: ") + computer,
          std::string("用户: ") + user};
}

inline std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

// The clipboard's CF_TEXT; "<cannot open>" while another window holds the clipboard.
inline std::string ClipboardText() {
  std::string text;
  bool open = false;
  for (int attempt = 0; attempt < 25 && !(open = OpenClipboard(nullptr)); ++attempt) Sleep(20);
  if (!open) return "<cannot open>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

inline DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  DWORD done = 0;
  const BOOL ok =
      ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &done, nullptr);
  *read = static_cast<LONG>(done);
  return ok ? 0 : 1;
}

// The lines of an RTF file as a fresh rich-edit control of this process reads it back.
inline std::vector<std::string> RtfFileLines(const std::string& path) {
  LoadLibraryA("RICHED32.DLL");
  HWND edit = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, &ReadFromFile};
  SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  std::string text(static_cast<std::size_t>(4 * SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0) + 1), '\0');
  SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  DestroyWindow(edit);
  text.resize(text.find('\0'));
  return LinesOf(text);
}

}  // namespace k32::testing
