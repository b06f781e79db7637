// A process the tests start and end: it waits until it is terminated (or for a minute at most).
// Started with "--garbled-parameters" it first points the command line and image path of its own
// parameters at memory that cannot be read, with the longest length, as a process may rewrite them.
#include <windows.h>
#include <winternl.h>

#include <cwchar>
#include <initializer_list>

int main() {
  if (std::wcsstr(GetCommandLineW(), L"--garbled-parameters")) {
    RTL_USER_PROCESS_PARAMETERS& parameters = *NtCurrentTeb()->ProcessEnvironmentBlock->ProcessParameters;
    for (UNICODE_STRING* text : {&parameters.ImagePathName, &parameters.CommandLine}) {
      text->Buffer = reinterpret_cast<PWSTR>(static_cast<ULONG_PTR>(0x10));
      text->MaximumLength = text->Length = 0xFFFE;
    }
  }
  Sleep(60000);
  return 0;
}
