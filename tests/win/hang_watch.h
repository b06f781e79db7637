// A test that never ends is killed by its timeout with nothing said. This watch says, while such a
// test still runs, which windows are up: this process's own and every dialog on the desktop (a
// message box waiting for an answer is the usual cause). Output is unbuffered, so that a killed run
// keeps what it wrote, its last test's name included.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace k32::testing {

class HangWatch : public ::testing::EmptyTestEventListener {
 public:
  // After `after` milliseconds in one test, once per test.
  static void Start(DWORD after) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Kept to the process's end: gtest deletes its listeners at exit, the state must not go with them.
    auto* state = new State{after};
    state->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    state->thread = CreateThread(nullptr, 0, &Watch, state, 0, nullptr);
    ::testing::UnitTest::GetInstance()->listeners().Append(new HangWatch(*state));
  }

 private:
  struct State {
    const DWORD after;
    HANDLE stop = nullptr, thread = nullptr;
    std::atomic<DWORD> started{0};
    std::atomic<bool> running{false}, told{false};
  };
  explicit HangWatch(State& state) : state_(state) {}
  void OnTestStart(const ::testing::TestInfo&) override {
    state_.started = GetTickCount();
    state_.told = false;
    state_.running = true;
  }
  void OnTestEnd(const ::testing::TestInfo&) override { state_.running = false; }
  // The watch ends before the process does: no thread of ours runs while the runtime tears down.
  void OnTestProgramEnd(const ::testing::UnitTest&) override {
    if (!state_.thread) return;
    SetEvent(state_.stop);
    WaitForSingleObject(state_.thread, 5000);
    CloseHandle(state_.thread);
    state_.thread = nullptr;
  }

  static DWORD WINAPI Watch(void* context) {
    State& state = *static_cast<State*>(context);
    while (WaitForSingleObject(state.stop, 1000) == WAIT_TIMEOUT) {
      if (!state.running || state.told || GetTickCount() - state.started < state.after) continue;
      state.told = true;
      std::printf("hang watch: the test has run %lu s; windows up:\n", state.after / 1000);
      EnumWindows(&TellTopLevel, 0);
    }
    return 0;
  }

  // Read without a message: a window of this process's stuck thread would not answer one.
  static std::string TextOf(HWND window) {
    wchar_t text[160] = {};
    InternalGetWindowText(window, text, 160);
    char utf8[480] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
  }
  static void Tell(HWND window, const char* indent) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    std::printf("%s%s \"%s\"%s\n", indent, name, TextOf(window).c_str(), IsWindowVisible(window) ? "" : " (hidden)");
  }
  static BOOL CALLBACK TellTopLevel(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    const bool dialog = std::string(name) == "#32770" && IsWindowVisible(window);
    if (process != GetCurrentProcessId() && !dialog) return TRUE;
    Tell(window, "  ");
    if (dialog) EnumChildWindows(window, &TellChild, 0);
    return TRUE;
  }
  static BOOL CALLBACK TellChild(HWND window, LPARAM) {
    Tell(window, "    ");
    return TRUE;
  }

  State& state_;
};

}  // namespace k32::testing
