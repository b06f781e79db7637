#include "about/form_about.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "gui/handles.h"
#include "gui/layout.h"

namespace k32 {

namespace {

using gui::TControlKind;

const gui::TLayoutRow kLayout[] = {
    {TControlKind::ckImage, nullptr, "Image1", "BANNER", 0, 0, 280, 40},
    {TControlKind::ckBevel, nullptr, "Bevel1", nullptr, -1, 33, 281, 9},
    {TControlKind::ckLabel, nullptr, "Label2", "版本 2.01", 8, 48, 0, 0},
    {TControlKind::ckLabel, nullptr, "Label3", "版权所有 (C) 2003\r\n界面汉化: 秦远舟", 8, 73, 133, 23},
    {TControlKind::ckLabel, nullptr, "Label4", "Tobin Quillmark", 8, 96, 0, 0},
    {TControlKind::ckCustom, nullptr, "QMLinkLabel1", kAuthorMailAddress, 174, 96, 97, 13},
    {TControlKind::ckBevel, nullptr, "Bevel2", nullptr, -1, 112, 281, 9},
    {TControlKind::ckCustom, nullptr, "QMLinkLabel2", kMakerWebAddress, 8, 128, 125, 13},
    {TControlKind::ckButton, nullptr, "btnOK", "确定", 192, 128, 81, 25, 0, gui::loDefault, gui::mrOk},
};

}  // namespace

TFormAbout::TFormAbout(gui::TForm* owner) : TForm(owner) {
  SetCaption("关于 Kestrel32");
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetClientSize(280, 159);

  const gui::TLayout layout(*this, kLayout, [](gui::TWinControl& parent, const gui::TLayoutRow& row) {
    return parent.Add<TQMLinkLabel>(row.caption);
  });
  Image1 = layout.Get<gui::TImage>("Image1");
  Bevel1 = layout.Get<gui::TBevel>("Bevel1");
  Label2 = layout.Get<gui::TLabel>("Label2");
  Label3 = layout.Get<gui::TLabel>("Label3");
  Label4 = layout.Get<gui::TLabel>("Label4");
  QMLinkLabel1 = layout.Get<TQMLinkLabel>("QMLinkLabel1");
  QMLinkLabel1->Address = std::string("mailto:") + kAuthorMailAddress;
  Bevel2 = layout.Get<gui::TBevel>("Bevel2");
  QMLinkLabel2 = layout.Get<TQMLinkLabel>("QMLinkLabel2");
  QMLinkLabel2->Address = kMakerWebAddress;
  btnOK = layout.Get<gui::TButton>("btnOK");
  DefaultButton = btnOK;
  CancelButton = btnOK;

  // The rows were laid out for lines 12 pixels high; a taller stand-in font pushes them down rather
  // than draw the credits over the author's name.
  const int lower = CreditsOverflow();
  if (lower > 0) {
    const std::initializer_list<gui::TControl*> below = {Label4, QMLinkLabel1, Bevel2, QMLinkLabel2, btnOK};
    for (gui::TControl* control : below) {
      const auto& at = *control->DesignBounds();
      control->SetDesignBounds(at.left, at.top + lower, at.width, at.height);
    }
    SetClientSize(280, 159 + lower);
  }
}

int TFormAbout::CreditsOverflow() const {
  gui::WindowDC dc(nullptr);
  gui::SelectObjectScope font(dc.Get(), Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  // In the designed pixels the rows are laid out in.
  return std::max(0, 2 * ScaleBetweenDpi(static_cast<int>(metrics.tmHeight), Dpi(), kDesignDpi) - 24);
}

}  // namespace k32
