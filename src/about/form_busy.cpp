#include "about/form_busy.h"

#include "gui/layout.h"

namespace k32 {

namespace {

// The label's text is bold; everything else keeps the window's font.
class TBoldLabel : public gui::TLabel {
 public:
  TBoldLabel(gui::TWinControl* parent, const std::string& caption, const gui::FontHandle& bold)
      : gui::TLabel(parent, caption), bold_(bold) {}

 protected:
  HFONT Font() const override { return bold_.Get(); }

 private:
  const gui::FontHandle& bold_;  // the form's, made again for each DPI
};

HFONT BoldProgramFont(int dpi) {
  gui::FontHandle regular(gui::CreateProgramFont(dpi));
  LOGFONTA font{};
  GetObjectA(regular.Get(), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

const gui::TLayoutRow kLayout[] = {
    {gui::TControlKind::ckCustom, nullptr, "Label1", "正在生成报告...", 46, 20, 117, 13, 0, gui::loFixedSize},
};

}  // namespace

TFormBusy::TFormBusy(gui::TForm* owner) : gui::TForm(owner), boldFont_(BoldProgramFont(Dpi())) {
  SetCaption("Kestrel32");
  Position = gui::TPosition::poScreenCenter;
  SetClientSize(208, 53);
  const gui::TLayout layout(*this, kLayout, [this](gui::TWinControl& parent, const gui::TLayoutRow& row) {
    return parent.Add<TBoldLabel>(row.caption, boldFont_);
  });
  Label1 = layout.Get<gui::TLabel>("Label1");
}

// The window goes before the label's font.
TFormBusy::~TFormBusy() { DestroyHandle(); }

void TFormBusy::ChangeScale(int oldDpi) {
  // The old bold font stays until the label holds the new one.
  const gui::FontHandle old(boldFont_.Release());
  boldFont_.Reset(BoldProgramFont(Dpi()));
  gui::TForm::ChangeScale(oldDpi);
}

void TFormBusy::CreateParams(gui::TCreateParams& params) {
  gui::TForm::CreateParams(params);
  // A caption and a single fixed border, no system menu and so no close box.
  params.style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_CONTROLPARENT;
  if (FormStyle() == gui::TFormStyle::fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
}

void TFormBusy::ShowBusy() {
  Show();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace k32
