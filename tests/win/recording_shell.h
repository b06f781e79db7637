// Stands in for the shell: records what it is asked to open and the notification records it gets.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/wide_text.h"
#include "tray/systray.h"

namespace k32::testing {

// The colour of an icon's middle pixel (CLR_INVALID for no icon): tells test pictures apart.
inline COLORREF IconColour(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return CLR_INVALID;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = 16;
  format.bmiHeader.biHeight = 16;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  DWORD pixels[16 * 16] = {};
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, info.hbmColor, 0, 16, pixels, &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  const DWORD bgr = pixels[8 * 16 + 8];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

// A 16 by 16 icon of one colour, owned by the caller.
inline HICON SolidIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, picture);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  BYTE opaque[16 * 16 / 8] = {};
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque);
  ICONINFO info{TRUE, 0, 0, mask, picture};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(picture);
  return icon;
}

class RecordingShell final : public gui::IShell {
 public:
  struct Opened {
    HWND owner;
    std::string verb, file;  // file in the program's code page
    std::wstring wideFile;
    bool hasParameters, hasDirectory;
    int show;
    std::wstring parameters, directory;
  };
  struct Notified {
    DWORD message;
    TNotifyIconRecord record;
    COLORREF colour;  // of the icon as the shell saw it
  };

  RecordingShell() { gui::Application().SetShell(this); }
  ~RecordingShell() override { gui::Application().SetShell(nullptr); }

  HINSTANCE Execute(HWND owner, const char* verb, const wchar_t* file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override {
    opened.push_back({owner, verb ? verb : "<default>", file ? gui::Narrow(file) : "", file ? file : L"",
                      parameters != nullptr, directory != nullptr, show, parameters ? parameters : L"",
                      directory ? directory : L""});
    return executeAnswer;
  }
  BOOL NotifyIcon(DWORD message, void* data) override {
    const auto& record = *static_cast<const TNotifyIconRecord*>(data);
    notified.push_back({message, record, IconColour(record.hIcon)});
    return answer;
  }

  std::vector<Opened> opened;
  std::vector<Notified> notified;
  BOOL answer = TRUE;
  HINSTANCE executeAnswer = reinterpret_cast<HINSTANCE>(42);  // above 32: started
};

}  // namespace k32::testing
