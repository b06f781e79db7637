// The about box: the banner, the version, the author and two addresses to click.
#pragma once

#include "about/qm_link_label.h"
#include "gui/form.h"
#include "gui/stdctrls.h"

namespace k32 {

// The addresses the about box and the Help menu open.
inline constexpr char kAuthorMailAddress[] = "tq@example.com";
inline constexpr char kMakerWebAddress[] = "http://quillmark.example.com";

class TFormAbout : public gui::TForm {
 public:
  explicit TFormAbout(gui::TForm* owner);

  gui::TImage* Image1;
  gui::TBevel* Bevel1;
  gui::TLabel* Label2;
  gui::TLabel* Label3;
  gui::TLabel* Label4;
  TQMLinkLabel* QMLinkLabel1;
  gui::TBevel* Bevel2;
  TQMLinkLabel* QMLinkLabel2;
  gui::TButton* btnOK;

 private:
  // How far two lines of the window font reach past the credits' designed height.
  int CreditsOverflow() const;
};

}  // namespace k32
