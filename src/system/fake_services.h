// A scripted stand-in for the operating system's process and window services: exact, repeatable
// processes, modules, priorities and window trees, and a log of what was asked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "system/services.h"

namespace k32::testing {

class FakeServices : public ISystemServices {
 public:
  struct Window {
    WindowId id = 0;
    WindowId parent = 0;  // 0: a top-level window
    std::wstring className;
    std::wstring title;
    bool visible = true;
    std::optional<ScreenRect> rect = ScreenRect{};  // nullopt: the rectangle query fails
    std::int64_t instance = 0;
    std::int32_t parentLong = 0;  // GWL_HWNDPARENT: parent of a child, owner of a top-level window
    std::int32_t style = 0;
    std::int32_t exStyle = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 1;
    bool vanishAfterEnumeration = false;  // reported by an enumeration, then gone for every query
  };

  // --- Script ---
  std::vector<ProcessEntry> processes;                          // in snapshot order
  std::map<std::uint32_t, std::vector<ModuleEntry>> modules;    // per process, in snapshot order
  std::map<std::uint32_t, std::uint32_t> priorities;            // missing: 0, cannot be opened
  std::map<std::uint32_t, TerminateOutcome> terminateOutcomes;  // missing: terminated if it runs
  std::deque<Window> windows;                                   // in enumeration order
  std::set<WindowId> gone;                                      // windows that no longer exist
  std::map<std::uint32_t, ModuleFailure> moduleFailures;        // why a process's modules cannot be read
  std::map<std::uint32_t, ProcessDetails> details;              // per process; missing: nothing readable
  bool elevated = true;

  // Each process added is created later than the one before.
  FakeServices& AddProcess(std::wstring exeFile, std::uint32_t processId, std::uint32_t parentProcessId = 0,
                           std::uint32_t threadCount = 1, std::uint32_t priorityClass = 0x20) {
    processes.push_back({std::move(exeFile), processId, parentProcessId, threadCount, ++clock_});
    priorities[processId] = priorityClass;
    return *this;
  }

  FakeServices& AddModule(std::uint32_t processId, std::wstring name, std::wstring path, Address handle,
                          std::uint32_t size) {
    modules[processId].push_back({std::move(name), std::move(path), handle, size});
    return *this;
  }

  // Siblings enumerate in the order added. The reference stays valid while windows are added.
  Window& AddWindow(WindowId id, WindowId parent = 0) {
    windows.push_back(Window{});
    windows.back().id = id;
    windows.back().parent = parent;
    return windows.back();
  }

  // The window and all its descendants cease to exist.
  void Vanish(WindowId id) { gone.insert(id); }

  // --- Log ---
  int processSnapshots = 0;
  std::vector<std::uint32_t> moduleSnapshots;
  std::vector<std::uint32_t> priorityQueries;
  std::vector<std::uint32_t> terminations;  // each opened process the program tried to end
  int debugPrivilegeRequests = 0;
  std::vector<std::uint32_t> detailReads;  // each process whose details were asked

  // --- ISystemServices ---
  std::vector<ProcessEntry> ProcessSnapshot() override {
    ++processSnapshots;
    return processes;
  }

  std::vector<ModuleEntry> ModuleSnapshot(std::uint32_t processId) override {
    moduleSnapshots.push_back(processId);
    const auto found = modules.find(processId);
    return found == modules.end() ? std::vector<ModuleEntry>{} : found->second;
  }

  ModuleFailure LastModuleFailure() override {
    const auto found =
        moduleSnapshots.empty() ? moduleFailures.end() : moduleFailures.find(moduleSnapshots.back());
    return found == moduleFailures.end() ? ModuleFailure::None : found->second;
  }
  void EnableDebugPrivilege() override { ++debugPrivilegeRequests; }
  bool Elevated() override { return elevated; }

  std::uint32_t PriorityClass(std::uint32_t processId) override {
    priorityQueries.push_back(processId);
    const auto found = priorities.find(processId);
    return found == priorities.end() ? 0 : found->second;
  }

  // Opens a running process whose creation time matches; ending it later ends that very process, if
  // it still runs, and nothing else.
  std::unique_ptr<IProcessToEnd> OpenToTerminate(std::uint32_t processId, std::uint64_t createTime) override {
    const auto scripted = terminateOutcomes.find(processId);
    if (!Running(processId, createTime) ||
        (scripted != terminateOutcomes.end() && scripted->second == TerminateOutcome::CannotOpen))
      return nullptr;
    return std::make_unique<Opened>(*this, processId, createTime);
  }

  // The scripted details of a listed process created at createTime; {} for any other.
  ProcessDetails ReadProcessDetails(std::uint32_t processId, std::uint64_t createTime) override {
    detailReads.push_back(processId);
    const auto found = details.find(processId);
    return found == details.end() || !Running(processId, createTime) ? ProcessDetails{} : found->second;
  }

  void EnumTopLevelWindows(const WindowVisitor& visit) override {
    for (const WindowId id : LiveIds(0))
      if (!Visit(id, visit)) return;
  }

  // Every depth, each window before its own descendants, as the system walks them.
  void EnumDescendantWindows(WindowId parent, const WindowVisitor& visit) override {
    if (Find(parent) == nullptr) return;
    WalkDescendants(parent, visit);
  }

  std::uint32_t WindowProcessId(WindowId window, std::uint32_t* threadId) override {
    const Window* w = Find(window);
    if (threadId != nullptr) *threadId = w == nullptr ? 0 : w->threadId;
    return w == nullptr ? 0 : w->processId;
  }

  std::wstring WindowClassName(WindowId window) override {
    const Window* w = Find(window);
    return w == nullptr ? std::wstring() : w->className.substr(0, 99);
  }

  std::wstring WindowTitle(WindowId window) override {
    const Window* w = Find(window);
    return w == nullptr ? std::wstring() : w->title.substr(0, 249);
  }

  bool IsWindowVisible(WindowId window) override {
    const Window* w = Find(window);
    return w != nullptr && w->visible;
  }

  bool IsWindow(WindowId window) override { return Find(window) != nullptr; }

  bool WindowRect(WindowId window, ScreenRect* rect) override {
    const Window* w = Find(window);
    if (w == nullptr || !w->rect) return false;
    *rect = *w->rect;
    return true;
  }

  std::int64_t WindowLongValue(WindowId window, WindowLong index) override {
    const Window* w = Find(window);
    if (w == nullptr) return 0;
    switch (index) {
      case WindowLong::Instance:
        return w->instance;
      case WindowLong::Parent:
        return w->parentLong;
      case WindowLong::Style:
        return w->style;
      case WindowLong::ExStyle:
        return w->exStyle;
    }
    return 0;
  }

 private:
  class Opened final : public IProcessToEnd {
   public:
    Opened(FakeServices& system, std::uint32_t processId, std::uint64_t createTime)
        : system_(system), processId_(processId), createTime_(createTime) {}
    bool Terminate() override {
      system_.terminations.push_back(processId_);
      const auto process = system_.Running(processId_, createTime_);
      const auto scripted = system_.terminateOutcomes.find(processId_);
      if (!process || (scripted != system_.terminateOutcomes.end() && scripted->second != TerminateOutcome::Terminated))
        return false;
      system_.processes.erase(*process);
      system_.modules.erase(processId_);
      system_.priorities.erase(processId_);
      return true;
    }

   private:
    FakeServices& system_;
    std::uint32_t processId_;
    std::uint64_t createTime_;
  };

  std::optional<std::vector<ProcessEntry>::iterator> Running(std::uint32_t processId, std::uint64_t createTime) {
    const auto process = std::find_if(processes.begin(), processes.end(), [&](const ProcessEntry& p) {
      return p.processId == processId && p.createTime == createTime;
    });
    if (process == processes.end()) return std::nullopt;
    return process;
  }

  std::uint64_t clock_ = 0;

  const Window* Added(WindowId id) const {
    const auto found =
        std::find_if(windows.begin(), windows.end(), [&](const Window& w) { return w.id == id; });
    return found == windows.end() ? nullptr : &*found;
  }

  // The window when it and all its ancestors exist; null otherwise.
  const Window* Find(WindowId id) const {
    const Window* window = id == 0 ? nullptr : Added(id);
    std::size_t depth = 0;  // a mis-scripted parent loop ends here instead of hanging
    for (const Window* w = window; w != nullptr && depth <= windows.size();
         w = w->parent == 0 ? nullptr : Added(w->parent), ++depth)
      if (gone.contains(w->id)) return nullptr;
    return window;
  }

  std::vector<WindowId> LiveIds(WindowId parent) const {
    std::vector<WindowId> ids;
    for (const Window& w : windows)
      if (w.parent == parent && Find(w.id) != nullptr) ids.push_back(w.id);
    return ids;
  }

  bool Visit(WindowId id, const WindowVisitor& visit) {
    const Window* w = Find(id);
    if (w == nullptr) return true;  // closed by an earlier visit
    if (w->vanishAfterEnumeration) gone.insert(id);
    return visit(id);
  }

  // Answers false when the visitor stopped the walk.
  bool WalkDescendants(WindowId parent, const WindowVisitor& visit) {
    for (const WindowId id : LiveIds(parent)) {
      if (!Visit(id, visit)) return false;
      if (!WalkDescendants(id, visit)) return false;
    }
    return true;
  }
};

}  // namespace k32::testing
