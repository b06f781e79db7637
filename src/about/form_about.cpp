#include "about/form_about.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "gui/handles.h"

namespace k32 {

TFormAbout::TFormAbout(gui::TForm* owner) : TForm(owner) {
  SetCaption("关于 Kestrel32");
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetClientSize(280, 159);

  Image1 = Add<gui::TImage>();
  Image1->Name = "Image1";
  Image1->SetBounds(0, 0, 280, 40);
  Image1->LoadBitmapResource("BANNER");

  Bevel1 = Add<gui::TBevel>();
  Bevel1->Name = "Bevel1";
  Bevel1->SetRect(-1, 33, 281, 9);

  Label2 = Add<gui::TLabel>("版本 2.01");
  Label2->Name = "Label2";
  Label2->SetBounds(8, 48, 0, 0);

  Label3 = Add<gui::TLabel>("版权所有 (C) 2003\r\n界面汉化: 秦远舟");
  Label3->Name = "Label3";
  Label3->SetBounds(8, 73, 133, 23);

  Label4 = Add<gui::TLabel>("Tobin Quillmark");
  Label4->Name = "Label4";
  Label4->SetBounds(8, 96, 0, 0);

  QMLinkLabel1 = Add<TQMLinkLabel>(kAuthorMailAddress);
  QMLinkLabel1->Name = "QMLinkLabel1";
  QMLinkLabel1->Address = std::string("mailto:") + kAuthorMailAddress;
  QMLinkLabel1->SetBounds(174, 96, 97, 13);

  Bevel2 = Add<gui::TBevel>();
  Bevel2->Name = "Bevel2";
  Bevel2->SetRect(-1, 112, 281, 9);

  QMLinkLabel2 = Add<TQMLinkLabel>(kMakerWebAddress);
  QMLinkLabel2->Name = "QMLinkLabel2";
  QMLinkLabel2->Address = kMakerWebAddress;
  QMLinkLabel2->SetBounds(8, 128, 125, 13);

  btnOK = Add<gui::TButton>("确定");
  btnOK->Name = "btnOK";
  btnOK->SetBounds(192, 128, 81, 25);
  btnOK->ModalResult = gui::mrOk;
  btnOK->SetDefault(true);
  DefaultButton = btnOK;
  CancelButton = btnOK;

  // The rows were laid out for lines 12 pixels high; a taller stand-in font pushes them down rather
  // than draw the credits over the author's name.
  const int lower = CreditsOverflow();
  if (lower > 0) {
    const std::initializer_list<gui::TControl*> below = {Label4, QMLinkLabel1, Bevel2, QMLinkLabel2, btnOK};
    for (gui::TControl* control : below)
      control->SetBounds(control->Left(), control->Top() + lower, control->Width(), control->Height());
    SetClientSize(280, 159 + lower);
  }
}

int TFormAbout::CreditsOverflow() const {
  gui::WindowDC dc(nullptr);
  gui::SelectObjectScope font(dc.Get(), Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return std::max(0, 2 * static_cast<int>(metrics.tmHeight) - 24);
}

}  // namespace k32
