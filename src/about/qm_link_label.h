// A label that looks like a hyperlink and, when clicked, asks the shell to open its address.
#pragma once

#include <string>

#include "gui/stdctrls.h"

namespace k32 {

class TQMLinkLabel : public gui::TLabel {
 public:
  TQMLinkLabel(gui::TWinControl* parent, const std::string& caption);

  // A web or "mailto:" address; empty opens nothing.
  std::string Address;

  [[nodiscard]] const std::string& Version() const { return version_; }
  // The version belongs to the class: whatever is written, it stays.
  void SetVersion(const std::string&) {}

  // Opens the address, then runs the handler; the label's own click processing does not run.
  void Click() override;

 private:
  std::string version_;
};

}  // namespace k32
