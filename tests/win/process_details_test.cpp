// What does not change in a process's life, read from real processes: helpers started here with a
// known command line and version texts.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "system/win32_services.h"
#include "win/import_patch.h"
#include "win/test_child_process.h"

namespace k32 {
namespace {

bool Empty(const ProcessDetails& d) {
  return (d.userName + d.commandLine + d.imagePath + d.description + d.company).empty();
}

// As the program asks: with the creation time its process snapshot gives.
std::uint64_t CreateTime(ISystemServices& services, DWORD processId) {
  for (const ProcessEntry& process : services.ProcessSnapshot())
    if (process.processId == processId) return process.createTime;
  return 0;
}

int versionReads = 0;
decltype(&GetFileVersionInfoSizeW) realVersionSize = nullptr;
DWORD WINAPI CountedVersionSize(LPCWSTR path, LPDWORD handle) {
  ++versionReads;
  return realVersionSize(path, handle);
}

// Each word size this build reads: its own, and a 32-bit process from a 64-bit build.
#ifdef KESTREL_HELPER32
constexpr const wchar_t* kHelpers[] = {L"test_child.exe", L"test_child32.exe"};
#else
constexpr const wchar_t* kHelpers[] = {L"test_child.exe"};
#endif

TEST(ProcessDetails, ReadsAHelperAsItWasStartedAndNoOtherProcess) {
  testing::ImportPatch patch("version.dll", "GetFileVersionInfoSizeW",
                             reinterpret_cast<void*>(&CountedVersionSize));
  realVersionSize = patch.Original<decltype(&GetFileVersionInfoSizeW)>();
  wchar_t user[257] = {};
  DWORD userSize = 257;
  ASSERT_TRUE(GetUserNameW(user, &userSize));
  for (const wchar_t* exe : kHelpers) {
    SCOPED_TRACE(exe);
    testing::TestChild child(L"plain \"with spaces\" \\\"quoted\\\" 测试", exe), sibling(L"", exe);
    ASSERT_TRUE(child.Started() && sibling.Started());
    Win32Services services;
    versionReads = 0;
    const DWORD processId = child.Id();
    const std::uint64_t created = CreateTime(services, processId);
    const ProcessDetails details = services.ReadProcessDetails(processId, created);
    EXPECT_EQ(details.commandLine, child.CommandLine());
    EXPECT_EQ(details.imagePath, child.ExePath());
    // DOMAIN\user: this test's own account, with its domain.
    const auto slash = details.userName.find(L'\\');
    EXPECT_TRUE(slash > 0 && slash != std::wstring::npos && details.userName.substr(slash + 1) == user);
    // The user interface here is Chinese: its translation, although another is listed first.
    EXPECT_EQ(details.description, L"Kestrel32 测试子进程");
    EXPECT_EQ(details.company, L"Tobin Quillmark");
    // Read once per executable.
    EXPECT_EQ(services.ReadProcessDetails(sibling.Id(), CreateTime(services, sibling.Id())).description,
              details.description);
    EXPECT_EQ(versionReads, 1);

    // An identifier that names another process by now, or none.
    EXPECT_TRUE(Empty(services.ReadProcessDetails(processId, created + 1)));
    ASSERT_TRUE(child.EndAndForget());
    EXPECT_TRUE(Empty(services.ReadProcessDetails(processId, created)));
  }
}

// What a process writes over in its own memory: the image path is the system's.
TEST(ProcessDetails, AGarbledCommandLineReadsEmptyAndTheRestStill) {
  testing::TestChild child(L"--garbled-parameters");
  ASSERT_TRUE(child.Started());
  Win32Services services;
  const std::uint64_t created = CreateTime(services, child.Id());
  // The helper garbles its parameters once it runs.
  ProcessDetails details = services.ReadProcessDetails(child.Id(), created);
  for (int i = 0; i < 100 && !details.commandLine.empty(); ++i, Sleep(50))
    details = services.ReadProcessDetails(child.Id(), created);
  EXPECT_TRUE(details.commandLine.empty());
  EXPECT_EQ(details.imagePath, child.ExePath());
  EXPECT_EQ(details.company, L"Tobin Quillmark");
}

}  // namespace
}  // namespace k32
