// The modules of real processes read from their loaders' lists, against the system's own module
// snapshot taken before and after each read (a process may load a module meanwhile).
#include "system/loader_modules.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include "system/win32_services.h"
#include "win/test_child_process.h"

namespace k32 {
namespace {

std::vector<std::wstring> Texts(const std::vector<ModuleEntry>& modules) {
  std::vector<std::wstring> texts;
  for (const ModuleEntry& m : modules)
    texts.push_back(m.moduleName + L"|" + m.exePath + L"|" + std::to_wstring(m.moduleHandle) + L"|" +
                    std::to_wstring(m.moduleSize));
  return texts;
}

std::vector<std::wstring> SystemSnapshot(DWORD processId) {
  std::vector<ModuleEntry> modules;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
    modules.push_back(
        {entry.szModule, entry.szExePath, reinterpret_cast<UINT_PTR>(entry.hModule), entry.modBaseSize});
  if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
  return Texts(modules);
}

// Read while the system's snapshot holds still; expected: that snapshot.
std::optional<std::vector<ModuleEntry>> Read(LoaderModuleReader& reader, DWORD processId,
                                             std::vector<std::wstring>& expected) {
  for (int attempt = 0; attempt < 20; ++attempt, Sleep(50)) {
    expected = SystemSnapshot(processId);
    std::optional<std::vector<ModuleEntry>> read = reader.Read(processId);
    if (SystemSnapshot(processId) == expected) return read;
  }
  ADD_FAILURE() << "the modules of " << processId << " kept changing";
  return std::nullopt;
}

TEST(LoaderModules, AsTheSystemsSnapshotAgainAndAgainAndLeavesTheRestToIt) {
  testing::TestChild child;
  ASSERT_TRUE(child.Started());
  LoaderModuleReader reader;
  std::vector<std::wstring> expected;
  for (const DWORD processId : {GetCurrentProcessId(), child.Id(), GetCurrentProcessId()}) {
    for (int again = 0; again < 2; ++again) {  // the second read takes what the first one kept
      const auto modules = Read(reader, processId, expected);
      ASSERT_TRUE(modules);
      EXPECT_FALSE(modules->empty());
      EXPECT_EQ(Texts(*modules), expected);
    }
  }
  const DWORD ended = child.Id();
  ASSERT_TRUE(child.EndAndForget());
  EXPECT_FALSE(reader.Read(ended));
#ifdef KESTREL_HELPER32
  testing::TestChild narrower(L"", L"test_child32.exe");
  ASSERT_TRUE(narrower.Started());
  EXPECT_FALSE(Read(reader, narrower.Id(), expected));
  Win32Services services;
  EXPECT_EQ(Texts(services.ModuleSnapshot(narrower.Id())), expected);
#endif
}

}  // namespace
}  // namespace k32
