// The small window that says a report is being made while the program cannot respond.
#pragma once

#include "gui/form.h"
#include "gui/stdctrls.h"

namespace k32 {

class TFormBusy : public gui::TForm {
 public:
  explicit TFormBusy(gui::TForm* owner);
  ~TFormBusy() override;

  // Shows the window and paints it at once: no messages are handled until the work ends.
  void ShowBusy();

  gui::TLabel* Label1;

 protected:
  void CreateParams(gui::TCreateParams& params) override;
  void ChangeScale(int oldDpi) override;

 private:
  gui::FontHandle boldFont_;
};

// Shows the busy window for one scope; hides it however the scope ends.
class TBusyScope {
 public:
  explicit TBusyScope(TFormBusy& busy) : busy_(busy) { busy_.ShowBusy(); }
  ~TBusyScope() { busy_.Hide(); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TFormBusy& busy_;
};

}  // namespace k32
