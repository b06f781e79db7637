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

// Wide text in the code page of the process ("?" for what it lacks).
inline std::string AcpText(std::wstring_view text) {
  std::string narrow(text.size() * 2, '\0');
  narrow.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                          static_cast<int>(narrow.size()), nullptr, nullptr)));
  return narrow;
}

// A wide report's lines in the code page of the process, to compare with its own literals.
inline std::vector<std::string> LinesOf(std::wstring_view text) { return LinesOf(AcpText(text)); }

inline std::vector<std::wstring> WideLinesOf(std::wstring_view text) {
  std::vector<std::wstring> lines;
  for (std::wstring_view line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

// The clipboard's text in one format (CF_TEXT or CF_UNICODETEXT); "<cannot open>" while another
// window holds the clipboard.
template <typename Char = char>
inline std::basic_string<Char> ClipboardText() {
  std::basic_string<Char> text;
  bool open = false;
  for (int attempt = 0; attempt < 25 && !(open = OpenClipboard(nullptr)); ++attempt) Sleep(20);
  if (!open) {
    for (const char c : std::string_view("<cannot open>")) text += static_cast<Char>(c);
    return text;
  }
  if (HANDLE data = GetClipboardData(sizeof(Char) == 1 ? CF_TEXT : CF_UNICODETEXT)) {
    if (const Char* characters = static_cast<const Char*>(GlobalLock(data))) {
      text = characters;
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

// The text of an RTF file as a fresh rich-edit control of this process reads it back.
inline std::wstring RtfFileText(const std::string& path) {
  LoadLibraryA("RICHED32.DLL");
  HWND edit = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, &ReadFromFile};
  SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  std::wstring text(static_cast<std::size_t>(2 * SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0) + 1), L'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
  SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  DestroyWindow(edit);
  text.resize(text.find(L'\0'));
  return text;
}

inline std::vector<std::string> RtfFileLines(const std::string& path) { return LinesOf(RtfFileText(path)); }

}  // namespace k32::testing
