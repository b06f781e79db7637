// The process and window services as the system gives them.
#pragma once

#include <map>
#include <string>

#include "system/loader_modules.h"
#include "system/process_details.h"
#include "system/services.h"

namespace k32 {

class Win32Services : public ISystemServices {
 public:
  std::vector<ProcessEntry> ProcessSnapshot() override;
  std::vector<ModuleEntry> ModuleSnapshot(std::uint32_t processId) override;
  ModuleFailure LastModuleFailure() override { return lastModuleFailure_; }
  void EnableDebugPrivilege() override;
  bool Elevated() override;
  std::uint32_t PriorityClass(std::uint32_t processId) override;
  std::unique_ptr<IProcessToEnd> OpenToTerminate(std::uint32_t processId, std::uint64_t createTime) override;
  ProcessDetails ReadProcessDetails(std::uint32_t processId, std::uint64_t createTime) override;
  void EnumTopLevelWindows(const WindowVisitor& visit) override;
  void EnumDescendantWindows(WindowId parent, const WindowVisitor& visit) override;
  std::uint32_t WindowProcessId(WindowId window, std::uint32_t* threadId) override;
  std::wstring WindowClassName(WindowId window) override;
  std::wstring WindowTitle(WindowId window) override;
  bool IsWindowVisible(WindowId window) override;
  bool IsWindow(WindowId window) override;
  bool WindowRect(WindowId window, ScreenRect* rect) override;
  std::int64_t WindowLongValue(WindowId window, WindowLong index) override;

 private:
  ModuleFailure lastModuleFailure_ = ModuleFailure::None;
  LoaderModuleReader loaderModules_;
  std::vector<std::uint64_t> processBuffer_;  // the system's answer to the process query, reused
  // FileDescription and CompanyName per image path: many processes run one executable.
  std::map<std::wstring, VersionTexts> versionTexts_;
};

}  // namespace k32
