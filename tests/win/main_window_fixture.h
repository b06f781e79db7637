// The main window as the in-process tests open it, over whichever services a test gives it, and
// torn down before those services go, with the hooks a test may have left set.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "gui/menus.h"
#include "gui/wide_text.h"
#include "system/services.h"
#include "win/win_test_support.h"

namespace k32::testing {

// The first row of a list whose cell in that column reads text; -1 when there is none.
inline int RowWhere(TMainListView* list, int column, const std::string& text) {
  for (int i = 0; i < list->Count(); ++i)
    if (gui::Narrow(list->Item(i)->Text(column)) == text) return i;
  return -1;
}

// Each refresh writes the process count into the status bar; a mark there shows whether one ran.
inline void MarkRefresh(TFormMain& form) { form.StatusBar->SetPanelText(0, "-"); }
inline bool Refreshed(TFormMain& form) { return form.StatusBar->PanelText(0) != "-"; }

// Seams a fixture installs (message boxes, shell) are members made before SetUp runs, so the main
// window made here always sees them.
class MainWindowHost : public ::testing::Test {
 protected:
  // Made and registered as the program's main form, not yet shown.
  void MakeMainWindow(ISystemServices& services) {
    form = std::make_unique<TFormMain>(services);
    gui::Application().SetMainForm(form.get());
  }
  // Made and shown as the program shows it: the first refresh runs.
  void OpenMainWindow(ISystemServices& services) {
    MakeMainWindow(services);
    form->Show();
    Pump();
  }
  void TearDown() override {
    gui::Application().OnModalShow = nullptr;
    gui::TPopupMenu::TrackHook = nullptr;
    form.reset();
    Pump();
    // A close or an exit the test made leaves a quit pending; the next test's loops must not see it.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  std::unique_ptr<TFormMain> form;
};

// A main window over scripted services, open before each test. A fixture scripts `services` in its
// own SetUp before it calls this one.
class MainWindowTest : public MainWindowHost {
 protected:
  void SetUp() override { OpenMainWindow(services); }

  FakeServices services;
};

}  // namespace k32::testing
