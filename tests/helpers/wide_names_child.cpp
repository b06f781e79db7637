// A process whose file, folder, window class and title lie outside code page 936: it shows its
// window until it is closed or terminated (a minute at most).
#include <windows.h>

#include "helpers/wide_names.h"

int main() {
  using namespace k32::testing;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWideChildClass;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kWideChildClass, kWideChildTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  SetTimer(nullptr, 0, 60000, nullptr);
  MSG message;
  while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
    DispatchMessageW(&message);
  return 0;
}
