#include "gui/richedit.h"

#include <richedit.h>

#include <algorithm>
#include <climits>

#include "gui/error.h"
#include "gui/guard.h"
#include "gui/handles.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {

// The class of the newest engine the system has. Its library stays loaded for the life of the
// process: windows of its class may exist at any time.
const char* RichEditClass() {
  static const char* const name = LoadLibraryW(L"msftedit.dll")   ? "RICHEDIT50W"
                                  : LoadLibraryW(L"riched20.dll") ? "RichEdit20W"
                                                                  : "RICHEDIT50W";
  return name;
}

// The engines from 2.0 on keep a paragraph's end as one character, whatever ends it in the text.
LONG CharactersHeld(const std::wstring& text) {
  LONG held = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) ++held;
  return held;
}

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
  *written = 0;
  return Guarded(
      [&]() -> DWORD {
        DWORD done = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &done, nullptr)) {
          const DWORD error = GetLastError();
          return error != 0 ? error : 1;
        }
        *written = static_cast<LONG>(done);
        return done == static_cast<DWORD>(size) ? 0 : 1;
      },
      DWORD{1});
}

// Some engines take kilobytes of memory per line and fail without a word when the address space
// runs out: an insertion needs this much of it free in one piece.
bool RoomToGrow() {
  constexpr SIZE_T kReserve = 128u << 20;
  void* probe = VirtualAlloc(nullptr, kReserve, MEM_RESERVE, PAGE_NOACCESS);
  if (!probe) return false;
  VirtualFree(probe, 0, MEM_RELEASE);
  return true;
}

}  // namespace

TRichEdit::TRichEdit(TWinControl* parent) : TControl(parent) { wideMessages_ = true; }

void TRichEdit::CreateParams(TCreateParams& params) {
  params.className = RichEditClass();
  params.style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
  if (ReadOnly) params.style |= ES_READONLY;
  if (!WordWrap) params.style |= ES_AUTOHSCROLL;
  if (HorzScrollBar) params.style |= WS_HSCROLL;
  if (VertScrollBar) params.style |= WS_VSCROLL;
  params.exStyle |= WS_EX_CLIENTEDGE;
  params.caption.clear();  // the content comes after the limit is set
}

void TRichEdit::CreateWnd() {
  HWND window = Handle();
  if (Color != CLR_INVALID) SendMessageW(window, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(Color));
  SendMessageW(window, EM_SETTARGETDEVICE, 0, WordWrap ? 0 : 1);
  ApplyLimit();
  if (updating_ > 0) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  if (!kept_.empty()) {
    const std::wstring text = std::move(kept_);
    kept_.clear();
    AppendAtEnd(text);
  }
}

void TRichEdit::DestroyWnd() { kept_ = AllText(); }

void TRichEdit::SetMaxLength(std::size_t characters) {
  maxLength_ = characters;
  if (HandleAllocated()) ApplyLimit();
}

void TRichEdit::ApplyLimit() {
  if (maxLength_ == 0) return;
  const std::size_t limit = maxLength_ > static_cast<std::size_t>(LONG_MAX) ? LONG_MAX : maxLength_;
  SendMessageW(Handle(), EM_EXLIMITTEXT, 0, static_cast<LPARAM>(limit));
}

void TRichEdit::BeginUpdate() {
  if (updating_++ == 0 && HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TRichEdit::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0 || !HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TRichEdit::Clear() {
  kept_.clear();
  if (HandleAllocated()) SetWindowTextW(Handle(), L"");
}

bool TRichEdit::AppendAtEnd(const std::wstring& text) {
  HWND window = Handle();
  // A position past the end puts the caret at the end without a walk through the text.
  CHARRANGE range{LONG_MAX, LONG_MAX};
  SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARRANGE before{};
  SendMessageW(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&before));
  SETTEXTEX replace{ST_SELECTION, 1200};
  SendMessageW(window, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
               reinterpret_cast<LPARAM>(text.c_str()));
  CHARRANGE after{};
  SendMessageW(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
  return after.cpMax - before.cpMax == CharactersHeld(text);
}

void TRichEdit::AddLines(std::span<const std::wstring_view> lines) {
  // Every insertion costs the control a layout pass of its own, and one insertion of many lines
  // can cost it more than linear time: lines go in a few dozen at a time.
  constexpr std::size_t kLinesPerInsertion = 48;
  std::wstring batch;
  std::size_t inBatch = 0;
  auto insert = [&] {
    if (inBatch != 0 && (!RoomToGrow() || !AppendAtEnd(batch))) throw EGuiError("RichEdit 行插入出错");
    batch.clear();
    inBatch = 0;
  };
  for (const std::wstring_view line : lines) {
    batch.append(line.substr(0, line.find(L'\0'))).append(L"\r\n");
    if (++inBatch == kLinesPerInsertion) insert();
  }
  insert();
}

int TRichEdit::LineCount() { return static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0)); }

void TRichEdit::SetSelStart(int position) {
  CHARRANGE range{position, position};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

std::wstring TRichEdit::AllText() {
  if (!HandleAllocated()) return kept_;
  HWND window = Handle();
  GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT characters = SendMessageW(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  // Room for a CR LF where the control counts a single line end.
  const std::size_t room = 2 * static_cast<std::size_t>(std::max<LRESULT>(characters, 0)) + 1;
  std::wstring text(room, L'\0');
  GETTEXTEX get{static_cast<DWORD>(room * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
  SendMessageW(window, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.find(L'\0'));
  return text;
}

void TRichEdit::SaveToFile(const std::wstring& fileName) {
  KernelHandle file(CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw EGuiError(FormatMessage1("无法创建文件 %s", Narrow(fileName)));
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file.Get()), 0, &WriteToFile};
  SendMessageW(Handle(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError != 0) throw EGuiError("保存流失败");
}

}  // namespace k32::gui
