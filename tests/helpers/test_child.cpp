// A process the tests start and end: it waits until it is terminated (or for a minute at most).
// Started with "--garbled-parameters" it first points the command line and image path of its own
// parameters at memory that cannot be read, with the longest length, as a process may rewrite them.
// Started with "--cost" it first holds 200 MB of its own memory and keeps one processor busy for
// four seconds, as a program that slows the machine does. Started with "--family N" it starts
// itself with "--family N-1" first, down to 0: a child, a grandchild and so on.
#include <windows.h>
#include <winternl.h>

#include <cwchar>
#include <string>
#include <initializer_list>

int main() {
  if (std::wcsstr(GetCommandLineW(), L"--garbled-parameters")) {
    RTL_USER_PROCESS_PARAMETERS& parameters = *NtCurrentTeb()->ProcessEnvironmentBlock->ProcessParameters;
    for (UNICODE_STRING* text : {&parameters.ImagePathName, &parameters.CommandLine}) {
      text->Buffer = reinterpret_cast<PWSTR>(static_cast<ULONG_PTR>(0x10));
      text->MaximumLength = text->Length = 0xFFFE;
    }
  }
  if (std::wcsstr(GetCommandLineW(), L"--cost")) {
    constexpr SIZE_T kHeld = 200u << 20;
    auto* held = static_cast<volatile char*>(VirtualAlloc(nullptr, kHeld, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    for (SIZE_T at = 0; held && at < kHeld; at += 4096) held[at] = 1;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 6000;) {
    }
  }
  if (const wchar_t* family = std::wcsstr(GetCommandLineW(), L"--family ")) {
    const int generations = _wtoi(family + 9);
    if (generations > 0) {
      wchar_t path[MAX_PATH] = {};
      GetModuleFileNameW(nullptr, path, MAX_PATH);
      std::wstring command = L"\"" + std::wstring(path) + L"\" --family " + std::to_wstring(generations - 1);
      STARTUPINFOW startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION started{};
      if (CreateProcessW(path, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
      }
    }
  }
  Sleep(60000);
  return 0;
}
