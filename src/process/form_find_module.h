// The 查找模块 window: every process searched for the modules whose name or path contains a text,
// a slice at a time from the message loop, the hits listed as they come.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/comctrls.h"
#include "gui/form.h"
#include "gui/listview.h"
#include "gui/stdctrls.h"
#include "process/module_search.h"
#include "system/services.h"

namespace k32 {

class TFormFindModule : public gui::TForm {
 public:
  TFormFindModule(gui::TForm* owner, ISystemServices& services);
  ~TFormFindModule() override;

  // Enter or a double click on a hit: the process and the module's path.
  std::function<void(std::uint32_t processId, const std::wstring& path)> OnChoose;

  // Starts a search for the edit's text, ending one that runs.
  void Search();
  // Ends a running search; the hits found so far stay.
  void Stop();
  [[nodiscard]] bool Searching() const { return search_.has_value(); }
  // Hands the selected hit to OnChoose; false when none is selected.
  bool ChooseSelected();

  gui::TEdit* edText;
  gui::TButton* btnFind;
  gui::TListView* lvResults;
  gui::TLabel* lblStatus;

  [[nodiscard]] bool IsDialog() const override { return true; }

 protected:
  bool FormClose() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void SearchSlice();
  void ShowStatus();

  ISystemServices& services_;
  std::optional<ModuleSearch> search_;
  std::size_t found_ = 0;
  gui::TTimer timer_;
};

}  // namespace k32
