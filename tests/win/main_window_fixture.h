// A main window made with the scripted services, shown and pumped; torn down with its menus' hooks.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/form_main.h"
#include "core/fake_services.h"
#include "win/win_test_support.h"

namespace k32::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFormMain>(services);
    gui::Application().SetMainForm(form.get());
    form->Show();
    Pump();
  }
  void TearDown() override {
    gui::TPopupMenu::TrackHook = nullptr;
    form.reset();
    Pump();
  }

  FakeServices services;
  std::unique_ptr<TFormMain> form;
};

}  // namespace k32::testing
